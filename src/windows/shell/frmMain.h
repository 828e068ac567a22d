#pragma once
// The main window: builds and wires the editor, the two pickers, the left
// pane, the menus, the toolbar and the status bar, and keeps them laid out.
// One instance for the program; it hands itself, as the script's host, to the
// document module and to the dialogs it opens.

#include <QMainWindow>
#include <QString>

#include "shell/ScriptHost.h"

class QAction;
class QComboBox;
class QLabel;
class QStatusBar;
class QTimer;
class QToolBar;
class QTreeWidget;

namespace quill {
class HeaderList;
class LeftPane;
class maxEdit;

class frmMain : public QMainWindow, public ScriptHost {
    Q_OBJECT
public:
    // Creates and loads the window (the start-up sequence runs here); show()
    // displays it.
    frmMain();
    ~frmMain() override;

    QToolBar* Toolbar1 = nullptr;
    QComboBox* cboNPC = nullptr;
    QComboBox* Combo1 = nullptr;
    quill::maxEdit* maxEdit = nullptr;
    QStatusBar* stbStatus = nullptr;
    // The left pane, and its controls by the names the window has for them.
    LeftPane* leftPane = nullptr;
    QComboBox* Combo2 = nullptr;
    HeaderList* List1 = nullptr;
    QTreeWidget* TV1 = nullptr;
    QTimer* Timer1 = nullptr;
    qint16 HourCounter = 0;

    // A status-bar panel by key: "_general", "_modified", "_capslock", "_numlock".
    QLabel* panel(const QString& key) const;

    QWidget* hostWindow() override { return this; }
    quill::maxEdit* scriptEditor() override { return maxEdit; }
    void setCaption(const QString& text) override { setWindowTitle(text); }
    void setPanelText(const QString& key, const QString& text) override;
    // The client area (below the menu bar) in twips, as the layout rule sees it.
    int ScaleWidth() const;
    int ScaleHeight() const;
    int toPixels(double twips) const;
    int toTwips(double pixels) const;

    // Sets a drop-down list's row the way code does it: the list's Click
    // handler runs, as it does for a user's pick.
    void setListIndex(QComboBox* combo, int index);

public slots:
    void Form_Resize();
    void Toolbar1_ButtonClick(QAction* button);

    void mNEWFILE_Click();
    void mOPENFILE_Click();
    void mFILEINSERTFILE_Click();
    void mSAVEFILE_Click();
    void mSAVEAS_Click();
    void mQUIT_Click();
    void mEDITUNDO_Click();
    void mEDITREDO_Click();
    void mEDITCUT_Click();
    void mEDITCOPY_Click();
    void mEDITPASTE_Click();
    void mEDITSELECTALL_Click();
    void mnuInsertRef_Click();
    void mSEARCHFIND_Click();
    void mSEARCHFINDNEXT_Click();
    void mSEARCHFINDPREVIOUS_Click();
    void mSEARCHREPLACE_Click();
    void mSEARCHGOTOLINE_Click();
    void mnuSyntaxTitles_Click();
    void mHELPABOUT_Click();

    void cboNPC_Click();
    void Combo1_Click();
    void maxEdit_ModifiedChange(quill::maxEdit* editor);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void buildToolbar();
    void buildStatusBar();
    void Form_Load();
    void Form_Unload(bool& cancel);
    void FillCommandLists();
    void InsertCommandSnippet(qint16 index);
    void InsertBuiltInName(qint16 index, const QString& text);
    void setWidthTwips(QWidget* w, int width);
    void setHeightTwips(QWidget* w, int height);
    int heightTwips(const QWidget* w) const;

    QWidget* client_ = nullptr;
};

}  // namespace quill
