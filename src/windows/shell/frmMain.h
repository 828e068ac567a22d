#pragma once
// The main window: the host of the editor, the three pickers, the left pane,
// the menus, the toolbar and the status bar. One instance for the program; it
// hands itself, as the script's host, to the document module and to the
// dialogs it opens.

#include <QMainWindow>
#include <QString>

#include "shell/ScriptHost.h"

class QAction;
class QComboBox;
class QLabel;
class QListWidget;
class QStatusBar;
class QTimer;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace quill {
class maxEdit;

class frmMain : public QMainWindow, public ScriptHost {
    Q_OBJECT
public:
    // Creates and loads the window (the start-up sequence runs here); show()
    // displays it.
    frmMain();
    ~frmMain() override;

    QToolBar* Toolbar1 = nullptr;
    QComboBox* Combo2 = nullptr;
    QComboBox* cboNPC = nullptr;
    QComboBox* Combo1 = nullptr;
    QListWidget* List1 = nullptr;
    QTreeWidget* TV1 = nullptr;
    quill::maxEdit* maxEdit = nullptr;
    QStatusBar* stbStatus = nullptr;
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
    void Timer1_Timer();

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
    void Combo2_Click();
    void TV1_NodeClick(QTreeWidgetItem* node);
    void List1_DblClick();
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
    void InsertNpcTemplate(qint16 kind);
    void placeTwips(QWidget* w, int left, int top, int width, int height);
    void setWidthTwips(QWidget* w, int width);
    void setHeightTwips(QWidget* w, int height);
    int heightTwips(const QWidget* w) const;

    QWidget* client_ = nullptr;
};

}  // namespace quill
