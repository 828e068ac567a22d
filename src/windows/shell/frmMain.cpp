#include "shell/frmMain.h"

#include <algorithm>
#include "shell/QtText.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

#include "catalogue/HeaderList.h"
#include "catalogue/LeftPane.h"
#include "catalogue/builtin_names.h"
#include "catalogue/catalogue.h"
#include "catalogue/headers.h"
#include "dialogs/DialogLauncher.h"
#include "shell/Artwork.h"
#include "shell/FormDesign.h"
#include "shell/LockKeyIndicator.h"
#include "shell/Prompter.h"
#include "shell/app_info.h"
#include "shell/codepage.h"
#include "shell/frmAbout.h"
#include "shell/layout.h"
#include "shell/maxEdit.h"
#include "shell/modCodeSense.h"
#include "shell/modDeclarations.h"
#include "shell/modDocument.h"
#include "shell/modWindowMetrics.h"

namespace quill {
namespace {

// Client area when the window opens, in twips.
constexpr int kClientWidth = 9330;
constexpr int kClientHeight = 6405;
constexpr int kToolbarHeight = 420;
constexpr int kStatusBarHeight = 300;

// How an item of the design that no code makes usable is shown.
enum class ItemState { Usable, Greyed, Hidden };

struct MenuItem {
    const char* name;
    const char* caption;  // "-" is a separator
    const char* shortcut;
    ItemState state;
    void (frmMain::*handler)();
};

struct Menu {
    const char* name;
    const char* caption;
    ItemState state;
    std::vector<MenuItem> items;
};

const std::vector<Menu>& menuDesign() {
    using F = frmMain;
    constexpr auto U = ItemState::Usable;
    constexpr auto G = ItemState::Greyed;
    constexpr auto H = ItemState::Hidden;
    static const std::vector<Menu> menus = {
        {"mFILE",
         "&File",
         U,
         {{"mNEWFILE", "New File", "Ctrl+N", U, &F::mNEWFILE_Click},
          {"mOPENFILE", "Open File..", "Ctrl+O", U, &F::mOPENFILE_Click},
          {"mFILEINSERTFILE", "Insert File..", "", G, &F::mFILEINSERTFILE_Click},
          {"mSAVEFILE", "Save", "Ctrl+S", U, &F::mSAVEFILE_Click},
          {"mSAVEAS", "Save As..", "", U, &F::mSAVEAS_Click},
          {"mSEPERATOR0", "-", "", U, nullptr},
          {"mSEPARATOR17", "Print..", "", H, nullptr},
          {"mSEPARATOR14", "-", "", U, nullptr},
          {"mQUIT", "Quit", "", U, &F::mQUIT_Click}}},
        {"mEDIT",
         "&Edit",
         U,
         {{"mEDITUNDO", "Undo", "", U, &F::mEDITUNDO_Click},
          {"mEDITREDO", "Redo", "", U, &F::mEDITREDO_Click},
          {"mSEPARATOR2", "-", "", U, nullptr},
          {"mEDITCUT", "Cut", "", U, &F::mEDITCUT_Click},
          {"mEDITCOPY", "Copy", "", U, &F::mEDITCOPY_Click},
          {"mEDITPASTE", "Paste", "", U, &F::mEDITPASTE_Click},
          {"mSEPRATOR3", "-", "", U, nullptr},
          {"mEDITSELECTALL", "Select All", "", U, &F::mEDITSELECTALL_Click}}},
        {"mnuInsert", "&Insert", U, {{"mnuInsertRef", "Insert Merchant Re&frences", "", U, &F::mnuInsertRef_Click}}},
        {"mSEARCH",
         "S&earch",
         U,
         {{"mSEARCHFIND", "Find", "Ctrl+F", U, &F::mSEARCHFIND_Click},
          {"mSEARCHFINDNEXT", "Find Next", "F3", U, &F::mSEARCHFINDNEXT_Click},
          {"mSEARCHFINDPREVIOUS", "Find Previous", "Ctrl+F3", U, &F::mSEARCHFINDPREVIOUS_Click},
          {"mSEARCHREPLACE", "Replace", "Ctrl+H", U, &F::mSEARCHREPLACE_Click},
          {"mSEPARATOR10", "-", "", U, nullptr},
          {"mSEARCHGOTOLINE", "Go to Line", "", U, &F::mSEARCHGOTOLINE_Click},
          {"mSEPARATOR11", "-", "", U, nullptr}}},
        {"mINSERT",
         "&Insert",
         G,
         {{"mINSERTNPC", "NPC", "", G, nullptr}, {"mINSERTMESSAGE", "Message", "Ctrl+M", G, nullptr}}},
        {"mnuSyntax", "&Syntax", U, {{"mnuSyntaxTitles", "&Get Menu Titles", "", U, &F::mnuSyntaxTitles_Click}}},
        {"mHELP", "&Help", U, {{"mHELPABOUT", "About", "", U, &F::mHELPABOUT_Click}}},
    };
    return menus;
}

}  // namespace

frmMain::frmMain() {
    modDocument::SetHost(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(artwork::programIcon());
    setFont(tahomaFont());
    client_ = new QWidget(this);
    setCentralWidget(client_);
    buildControls();
    buildMenus();
    buildToolbar();
    buildStatusBar();
    client_->installEventFilter(this);
    resize(toPixels(kClientWidth), toPixels(kClientHeight) + menuBar()->sizeHint().height());
    // The start-up sequence reads the client area, so it must have its size
    // before the window is first shown.
    layout()->activate();
    Form_Load();
}

frmMain::~frmMain() = default;

int frmMain::toPixels(double twips) const { return px(this, twips); }
int frmMain::toTwips(double pixels) const { return twipsOf(this, pixels); }
int frmMain::ScaleWidth() const { return toTwips(client_->width()); }
int frmMain::ScaleHeight() const { return toTwips(client_->height()); }

void frmMain::setWidthTwips(QWidget* w, int width) { w->resize(toPixels(width), w->height()); }
void frmMain::setHeightTwips(QWidget* w, int height) { w->resize(w->width(), toPixels(height)); }
int frmMain::heightTwips(const QWidget* w) const { return toTwips(w->height()); }

void frmMain::buildControls() {
    cboNPC = new QComboBox(client_);
    cboNPC->setObjectName(QStringLiteral("cboNPC"));
    Combo1 = new QComboBox(client_);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    // A drop-down list's height is its font's; only left, top and width are designed.
    placeTwips(cboNPC, 2280, 480, 3480, 315);
    placeTwips(Combo1, 5760, 480, 3480, 315);
    for (QComboBox* combo : {cboNPC, Combo1}) {
        combo->setEditable(false);
        combo->setMaxVisibleItems(20);
    }
    // A pick writes into the script, so the wheel may change these two only
    // once the user has given them the focus; passing over them neither
    // takes the focus nor picks.
    for (QComboBox* picker : {cboNPC, Combo1}) {
        picker->setFocusPolicy(Qt::StrongFocus);
        picker->installEventFilter(this);
    }

    maxEdit = new quill::maxEdit(client_);
    maxEdit->setObjectName(QStringLiteral("maxEdit"));
    placeTwips(maxEdit, layout::kEditorLeft, layout::kEditorTop, 6975, 5295);

    leftPane = new LeftPane(client_, maxEdit, this);
    Combo2 = leftPane->Combo2;
    List1 = leftPane->List1;
    TV1 = leftPane->TV1;
    Timer1 = leftPane->Timer1;

    connect(cboNPC, &QComboBox::activated, this, &frmMain::cboNPC_Click);
    connect(Combo1, &QComboBox::activated, this, &frmMain::Combo1_Click);
    connect(maxEdit, &maxEdit::ModifiedChange, this, &frmMain::maxEdit_ModifiedChange);

    setTabOrder(maxEdit, cboNPC);
    setTabOrder(cboNPC, List1);
    setTabOrder(List1, Combo2);
    setTabOrder(Combo2, TV1);
    setTabOrder(TV1, Combo1);
}

void frmMain::buildMenus() {
    for (const Menu& m : menuDesign()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(m.caption));
        menu->setObjectName(QString::fromUtf8(m.name));
        menu->menuAction()->setObjectName(QString::fromUtf8(m.name));
        menu->menuAction()->setEnabled(m.state == ItemState::Usable);
        // The design ends the Search menu on a separator; keep it drawn.
        menu->setSeparatorsCollapsible(false);
        for (const MenuItem& item : m.items) {
            const QString caption = QString::fromUtf8(item.caption);
            QAction* action = caption == QLatin1String("-") ? menu->addSeparator() : menu->addAction(caption);
            action->setObjectName(QString::fromUtf8(item.name));
            if (*item.shortcut) action->setShortcut(QKeySequence(QString::fromUtf8(item.shortcut)));
            action->setEnabled(item.state == ItemState::Usable);
            action->setVisible(item.state != ItemState::Hidden);
            // Shortcuts reach the window even while the editor has the focus.
            action->setShortcutContext(Qt::WindowShortcut);
            addAction(action);
            if (item.handler) connect(action, &QAction::triggered, this, item.handler);
        }
    }
}

void frmMain::buildToolbar() {
    Toolbar1 = new QToolBar(client_);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setIconSize(QSize(16, 16));
    Toolbar1->setMovable(false);
    Toolbar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    struct Button {
        const char* key;
        const char* image;
        const char* tip;
    };
    for (const Button& b : {Button{"Openfile", "_openfile", "Open"}, Button{"Savefile", "_savefile", "Save"},
                            Button{"Newfile", "_newfile", "New"}}) {
        QAction* a = Toolbar1->addAction(QIcon(artwork::smallImage(QString::fromUtf8(b.image))), QString());
        a->setObjectName(QString::fromUtf8(b.key));
        a->setData(QString::fromUtf8(b.key));
        a->setToolTip(QString::fromUtf8(b.tip));
        a->setProperty("imageKey", QString::fromUtf8(b.image));
    }
    connect(Toolbar1, &QToolBar::actionTriggered, this, &frmMain::Toolbar1_ButtonClick);
}

void frmMain::buildStatusBar() {
    stbStatus = new QStatusBar(client_);
    stbStatus->setObjectName(QStringLiteral("stbStatus"));
    stbStatus->setSizeGripEnabled(false);
    struct Panel {
        const char* key;
        QString text;
        int width;
    };
    const Panel panels[] = {{"_general", qs(kWelcomeStatus), 6555},
                            {"_modified", QString(), 950},
                            {"_capslock", QStringLiteral("CAPS"), 750},
                            {"_numlock", QStringLiteral("NUM"), 750}};
    for (const Panel& p : panels) {
        auto* frame = new QFrame(stbStatus);
        frame->setFrameShape(QFrame::StyledPanel);
        frame->setFrameShadow(QFrame::Sunken);
        auto* row = new QHBoxLayout(frame);
        row->setContentsMargins(2, 0, 2, 0);
        row->setSpacing(3);
        const bool general = QLatin1String(p.key) == QLatin1String("_general");
        if (general) {
            auto* icon = new QLabel(frame);
            icon->setPixmap(artwork::smallImage(QStringLiteral("_status")));
            row->addWidget(icon);
        }
        auto* label = new QLabel(p.text, frame);
        label->setObjectName(QString::fromUtf8(p.key));
        // Messages carry paths and script text, which are never markup.
        label->setTextFormat(Qt::PlainText);
        row->addWidget(label, 1);
        if (QLatin1String(p.key) == QLatin1String("_capslock"))
            new LockKeyIndicator(label, LockKeyIndicator::Key::CapsLock);
        else if (QLatin1String(p.key) == QLatin1String("_numlock"))
            new LockKeyIndicator(label, LockKeyIndicator::Key::NumLock);
        // The message panel takes what the bar has left, never under an inch.
        if (general) frame->setMinimumWidth(toPixels(1440));
        else
            frame->setFixedWidth(toPixels(p.width));
        stbStatus->addWidget(frame, general ? 1 : 0);
    }
}

QLabel* frmMain::panel(const QString& key) const { return stbStatus->findChild<QLabel*>(key); }

void frmMain::setPanelText(const QString& key, const QString& text) {
    if (QLabel* label = panel(key)) label->setText(text);
}

void frmMain::setListIndex(QComboBox* combo, int index) {
    combo->setCurrentIndex(index);
    if (combo == cboNPC) cboNPC_Click();
    else if (combo == Combo1)
        Combo1_Click();
    else if (combo == Combo2)
        leftPane->Combo2_Click();
}

void frmMain::Form_Load() {
    // First the program paths, then an untitled, unmodified script.
    modDeclarations::InitPaths();
    modDocument::ResetDocumentState();
    modDocument::SetCodePage(codepage::ofThisProcess());
    FillCommandLists();
    setListIndex(Combo1, 0);
    setWindowTitle(qs(kStartupCaption));
    setListIndex(cboNPC, 0);
    setHeightTwips(List1, heightTwips(maxEdit));
    modCodeSense::SetupNPCScriptLanguage(*maxEdit);
    modCodeSense::SetupEditorAppearance(*maxEdit);
    setWidthTwips(maxEdit, ScaleWidth() - toTwips(List1->width()) - layout::kPaneGap);
    setHeightTwips(maxEdit, ScaleHeight());
    maxEdit->InsertText(qs(kDefaultScriptText));
    setListIndex(Combo2, 0);
    mnuSyntaxTitles_Click();
    Timer1->start();
    maxEdit->setFocus();
}

void frmMain::FillCommandLists() {
    // One insertion per list: row by row, each row is a model insertion of its own.
    cboNPC->addItems(qStringList(catalogue::captions()));
    HourCounter = 25;
    Combo1->addItems(qStringList(catalogue::builtInNames()));
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_ && event->type() == QEvent::Resize) Form_Resize();
    if (event->type() == QEvent::Wheel && (watched == cboNPC || watched == Combo1) &&
        !static_cast<QWidget*>(watched)->hasFocus())
        return true;
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::Form_Resize() {
    // The bars follow the window by their alignment.
    Toolbar1->setGeometry(0, 0, client_->width(), toPixels(kToolbarHeight));
    // The status bar is as tall as its panels' frames need, at least its
    // designed height (at some scales and faces they need a few pixels more,
    // which would be cut off under the window's edge); what it takes beyond
    // that comes off the editor's height.
    const int statusHeight = std::max(toPixels(kStatusBarHeight), stbStatus->sizeHint().height());
    stbStatus->setGeometry(0, client_->height() - statusHeight, client_->width(), statusHeight);
    // A size that cannot be applied (a negative width in a very narrow
    // window) is skipped; the control keeps its previous size.
    const int width = layout::editorWidth(ScaleWidth(), toTwips(List1->width()));
    if (width >= 0) setWidthTwips(maxEdit, width);
    setHeightTwips(maxEdit, layout::editorHeight(ScaleHeight() - toTwips(statusHeight - toPixels(kStatusBarHeight))));
    setHeightTwips(List1, heightTwips(maxEdit));
    setHeightTwips(TV1, heightTwips(List1));
}

void frmMain::closeEvent(QCloseEvent* event) {
    bool cancel = false;
    Form_Unload(cancel);
    if (cancel) event->ignore();
    else
        event->accept();
}

void frmMain::Form_Unload(bool& cancel) {
    modWindowMetrics::SaveWindowMetrics(this);
    if (maxEdit->Text() == qs(kDefaultScriptText)) return;
    const auto answer = Prompter::current().ask(this, qs(kSaveQuestionTitle), qs(kSaveQuestion),
                                                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                                QMessageBox::Information, QMessageBox::Yes);
    if (answer == QMessageBox::Yes) {
        // A save that did not happen (Save As cancelled, the write failed)
        // keeps the window open, so the script is not lost.
        if (!modDocument::SaveDocument()) cancel = true;
    } else if (answer != QMessageBox::No) {
        cancel = true;
    }
}

void frmMain::Toolbar1_ButtonClick(QAction* button) {
    const QString key = button->data().toString();
    if (key == QLatin1String("Savefile")) modDocument::SaveDocument();
    else if (key == QLatin1String("Openfile"))
        modDocument::OpenDocument();
    else if (key == QLatin1String("Newfile"))
        modDocument::NewDocument();
}

void frmMain::mNEWFILE_Click() { modDocument::NewDocument(); }
void frmMain::mOPENFILE_Click() { modDocument::OpenDocument(); }
void frmMain::mFILEINSERTFILE_Click() { modDocument::InsertFile(); }
void frmMain::mSAVEFILE_Click() { modDocument::SaveDocument(); }
void frmMain::mSAVEAS_Click() { modDocument::SaveDocumentAs(); }
void frmMain::mQUIT_Click() { close(); }

void frmMain::mEDITUNDO_Click() {
    if (maxEdit->CanUndo()) maxEdit->Undo();
    else
        modDocument::SetStatusText(QStringLiteral("Cannot Undo; currently at end of undo buffer."));
}

void frmMain::mEDITREDO_Click() {
    if (maxEdit->CanRedo()) maxEdit->Redo();
    else
        modDocument::SetStatusText(QStringLiteral("Cannot Redo; currently at end of redo buffer."));
}

void frmMain::mEDITCUT_Click() {
    if (maxEdit->CanCut()) maxEdit->Cut();
}
void frmMain::mEDITCOPY_Click() {
    if (maxEdit->CanCopy()) maxEdit->Copy();
}
void frmMain::mEDITPASTE_Click() {
    if (maxEdit->CanPaste()) maxEdit->Paste();
}
void frmMain::mEDITSELECTALL_Click() { maxEdit->SelectionSpan(QString::number(maxEdit->Text().size())); }

void frmMain::mnuInsertRef_Click() { dialogs::showFrmRef(this); }

void frmMain::mSEARCHFIND_Click() { maxEdit->RunCommand(ecFind); }
void frmMain::mSEARCHFINDNEXT_Click() { maxEdit->RunCommand(ecFindNext); }
void frmMain::mSEARCHFINDPREVIOUS_Click() { maxEdit->RunCommand(ecFindPrevious); }
void frmMain::mSEARCHREPLACE_Click() { maxEdit->RunCommand(ecReplace); }
void frmMain::mSEARCHGOTOLINE_Click() { maxEdit->RunCommand(ecGoToLine, -1); }

void frmMain::mnuSyntaxTitles_Click() { leftPane->RefreshHeaders(); }

void frmMain::mHELPABOUT_Click() { showFrmAbout(); }

void frmMain::cboNPC_Click() { InsertCommandSnippet(static_cast<qint16>(cboNPC->currentIndex())); }

void frmMain::InsertCommandSnippet(qint16 index) {
    const catalogue::Pick pick = catalogue::pick(index, cboNPC->itemText(index).toStdString());
    {
        const UndoStep step(maxEdit);
        for (const std::string& text : pick.inserts) maxEdit->InsertText(QString::fromStdString(text));
    }
    switch (pick.dialog) {
        case catalogue::Dialog::CheckFlag: dialogs::showFrmFlag(this); break;
        case catalogue::Dialog::BatchCreator: dialogs::showFrmBatch(this); break;
        case catalogue::Dialog::DiceScripter: dialogs::showFrmCasino(this); break;
        case catalogue::Dialog::None: break;
    }
}

void frmMain::Combo1_Click() {
    const int index = Combo1->currentIndex();
    InsertBuiltInName(static_cast<qint16>(index), Combo1->itemText(index));
}

void frmMain::InsertBuiltInName(qint16 index, const QString& text) {
    const UndoStep step(maxEdit);
    for (const std::string& piece : catalogue::builtInNamePick(index, text.toStdString()))
        maxEdit->InsertText(QString::fromStdString(piece));
}

void frmMain::maxEdit_ModifiedChange(quill::maxEdit* editor) { modDocument::SetModified(editor->ModifiedFlag()); }

}  // namespace quill
