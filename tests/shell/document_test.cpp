#include "shell/document.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "shell/misc.h"

namespace quill::document {
namespace {

// The editor with an in-memory disk. Like the real one it reports its
// modified state back, so IsModified follows it.
struct FakeEditor : Editor {
    Document* doc = nullptr;
    std::string text;
    bool modified = false;
    std::map<std::string, std::string> disk;
    std::set<std::string> unwritable;
    std::vector<std::tuple<std::string, int, int>> inserted;

    void type(const std::string& more) { text += more, setModifiedState(true); }
    void setModifiedState(bool flag) {
        if (flag != modified && doc) doc->setModified(flag);
        modified = flag;
    }
    void clearText() override { text.clear(), setModifiedState(true); }
    void resetForNewDocument() override { setModifiedState(false); }
    Failure loadFile(const std::string& path) override {
        if (!disk.count(path)) return "the file \"" + path + "\" does not exist";
        text = disk[path];
        setModifiedState(false);
        return std::nullopt;
    }
    Failure saveToFile(const std::string& path) override {
        if (unwritable.count(path)) return "\"" + path + "\" could not be written: disk full";
        disk[path] = text;
        setModifiedState(false);
        return std::nullopt;
    }
    void selectionEnd(int& line, int& column) override { line = 2, column = 5; }
    Failure insertFileAt(const std::string& path, int line, int column) override {
        inserted.emplace_back(path, line, column);
        return std::nullopt;
    }
};

// The caption, status bar and dialogs; the dialogs answer from the queues.
struct FakeWindow : View, Dialogs {
    std::string general = "Welcome", modifiedPanel, caption = "start";
    std::deque<std::string> paths;
    std::deque<MsgBoxExResult> answers;
    std::vector<FileDialogRequest> shown;
    std::vector<MsgBoxExRequest> asked;
    void setGeneralPanel(const std::string& t) override { general = t; }
    void setModifiedPanel(const std::string& t) override { modifiedPanel = t; }
    void setCaption(const std::string& t) override { caption = t; }
    std::string showFileDialog(const FileDialogRequest& r) override {
        shown.push_back(r);
        std::string p = paths.empty() ? "" : paths.front();
        if (!paths.empty()) paths.pop_front();
        return p;
    }
    MsgBoxExResult msgBoxEx(const MsgBoxExRequest& r) override {
        asked.push_back(r);
        MsgBoxExResult a = answers.empty() ? mbxResultCancel : answers.front();
        if (!answers.empty()) answers.pop_front();
        return a;
    }
};

class DocumentFlow : public ::testing::Test {
protected:
    FakeEditor editor;
    FakeWindow w;
    Document doc{editor, w, w};
    void SetUp() override { editor.doc = &doc; }

    // A named script with unsaved changes.
    void openModified(const std::string& path) {
        editor.disk[path] = "old";
        ASSERT_TRUE(doc.loadDocument(path));
        editor.type(" more");
    }
};

TEST_F(DocumentFlow, NewAsksOnlyWhenModifiedAndNoDiscards) {
    editor.text = "something";
    EXPECT_TRUE(doc.newDocument());
    EXPECT_TRUE(w.asked.empty());
    EXPECT_EQ(editor.text, "");
    EXPECT_EQ(w.caption, "Tarnhollow's Mir 2 Quillmoor : v3.1 : [Untitled NPC]");

    openModified("/s/shop.txt");
    w.answers = {mbxResultNo};
    EXPECT_TRUE(doc.newDocument());
    ASSERT_EQ(w.asked.size(), 1u);
    const MsgBoxExRequest& q = w.asked[0];
    EXPECT_EQ(q.prompt, "You Have Modified The Current NPC Script, Dou You Wish To Save It ?");
    EXPECT_EQ(q.title, "Save NPC Script?");
    EXPECT_EQ(q.icon, mbxIconWarning);
    EXPECT_EQ(q.buttons, mbxYesNo);
    EXPECT_EQ(q.autoCloseSecs, 0);
    EXPECT_EQ(q.position, mbxPosCentre);
    EXPECT_FALSE(q.topMost || q.forceScroll);
    EXPECT_EQ(editor.disk["/s/shop.txt"], "old");
    EXPECT_EQ(editor.text, "");
    EXPECT_EQ(doc.currentFileName(), "");
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(w.modifiedPanel, "");
    doc.saveDocument();  // untitled: asks for a name
    EXPECT_EQ(w.shown.at(0), saveAsDialog());
}

TEST_F(DocumentFlow, NewYesSavesFirst) {
    openModified("/s/shop.txt");
    w.answers = {mbxResultYes};
    EXPECT_TRUE(doc.newDocument());
    EXPECT_EQ(editor.disk["/s/shop.txt"], "old more");
    EXPECT_EQ(w.general, "The script has been saved successfully.");
    EXPECT_EQ(editor.text, "");

    editor.type("fresh");
    w.answers = {mbxResultYes};
    w.paths = {"/s/new.txt"};
    EXPECT_TRUE(doc.newDocument());
    EXPECT_EQ(editor.disk["/s/new.txt"], "fresh");
    EXPECT_EQ(doc.currentFileName(), "");
}

// Mended: a New whose save did not happen must not throw the script away.
TEST_F(DocumentFlow, NewStopsWhenTheSaveDidNotHappen) {
    editor.type("precious");
    w.answers = {mbxResultYes};  // and the Save As dialog is cancelled
    EXPECT_FALSE(doc.newDocument());
    EXPECT_EQ(editor.text, "precious");
    EXPECT_EQ(w.general, "Script saving cancelled - no filename entered.");
    EXPECT_EQ(w.caption, "start");
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(w.modifiedPanel, "Modified");

    openModified("/s/full.txt");
    editor.unwritable.insert("/s/full.txt");
    w.answers = {mbxResultYes};
    EXPECT_FALSE(doc.newDocument());
    EXPECT_EQ(editor.text, "old more");
    EXPECT_EQ(editor.disk["/s/full.txt"], "old");
    EXPECT_EQ(w.general, "There was an error trying to save the script: \"/s/full.txt\" could not be written: disk full");
    EXPECT_EQ(doc.currentFileName(), "/s/full.txt");
    EXPECT_TRUE(doc.isModified());
}

TEST_F(DocumentFlow, OpenNeverAsksAndNamesTheScript) {
    editor.disk["/Mir/shop.txt"] = "[@main]";
    editor.type("unsaved");
    w.paths = {"/Mir/shop.txt"};
    EXPECT_TRUE(doc.openDocument());
    EXPECT_TRUE(w.asked.empty());
    EXPECT_EQ(w.shown.at(0), openDialog());
    EXPECT_EQ(editor.text, "[@main]");
    EXPECT_EQ(w.caption, "Legend Of Mir : Quillmoor : v3 : [/Mir/shop.txt]");
    EXPECT_EQ(w.general, "File Opened Succesfully");
    EXPECT_EQ(w.modifiedPanel, "");
    editor.type("!");
    EXPECT_TRUE(doc.saveDocument());
    EXPECT_EQ(w.shown.size(), 1u);  // a named script saves without a dialog
    EXPECT_EQ(editor.disk["/Mir/shop.txt"], "[@main]!");
}

TEST_F(DocumentFlow, OpenCancelledOrFailedChangesNothing) {
    openModified("/s/a.txt");
    w.general = "before";
    EXPECT_FALSE(doc.openDocument());
    EXPECT_EQ(w.general, "before");
    w.paths = {"/s/gone.txt"};
    EXPECT_FALSE(doc.openDocument());
    EXPECT_EQ(w.general, "There was an error trying to open the selected file: the file \"/s/gone.txt\" does not exist");
    EXPECT_EQ(doc.currentFileName(), "/s/a.txt");
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(w.modifiedPanel, "Modified");
    EXPECT_EQ(w.caption, "Legend Of Mir : Quillmoor : v3 : [/s/a.txt]");
}

TEST_F(DocumentFlow, SaveAsNamesTheScriptButKeepsTheCaption) {
    editor.type("x");
    w.paths = {"/s/b.txt"};
    EXPECT_TRUE(doc.saveDocumentAs());
    EXPECT_EQ(editor.disk["/s/b.txt"], "x");
    EXPECT_EQ(w.general, "The script has been saved successfully.");
    EXPECT_EQ(w.caption, "start");
    EXPECT_EQ(doc.currentFileName(), "/s/b.txt");
    EXPECT_FALSE(doc.isModified());
    EXPECT_FALSE(doc.saveDocumentAs());  // cancelled
    EXPECT_EQ(w.general, "Script saving cancelled - no filename entered.");
    EXPECT_EQ(doc.currentFileName(), "/s/b.txt");
}

// Mended: a failed save says so and keeps the name, the flag and the file.
TEST_F(DocumentFlow, SaveAsThatCannotWriteKeepsTheOldName) {
    openModified("/s/a.txt");
    editor.unwritable.insert("/s/full.txt");
    w.paths = {"/s/full.txt"};
    EXPECT_FALSE(doc.saveDocumentAs());
    EXPECT_EQ(w.general.rfind("There was an error trying to save the script: ", 0), 0u);
    EXPECT_EQ(doc.currentFileName(), "/s/a.txt");
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(editor.disk.count("/s/full.txt"), 0u);
}

struct TempDir {
    std::filesystem::path path = std::filesystem::temp_directory_path() / "quill_document_test";
    TempDir() { std::filesystem::create_directories(path); }
    ~TempDir() { std::filesystem::remove_all(path); }
    std::string file(const char* name, bool create) const {
        if (create) std::ofstream((path / name).string());
        return (path / name).string();
    }
};

TEST_F(DocumentFlow, InsertFileGoesInAtTheSelectionEnd) {
    TempDir dir;
    const std::string file = dir.file("part.txt", true);
    w.paths = {"", dir.file("missing.txt", false), dir.path.string(), file};
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(doc.insertFile());
    EXPECT_TRUE(doc.insertFile());
    EXPECT_EQ(editor.inserted, (decltype(editor.inserted){{file, 2, 5}}));
    EXPECT_EQ(w.shown.at(0), insertFileDialog());
}

TEST(DocumentDialogs, RowsAndFilters) {
    EXPECT_EQ(openDialog(), (FileDialogRequest{0, "Select NPC File to open..", "", "Text Files¬*.txt", "C:\\", ""}));
    EXPECT_EQ(saveAsDialog(), (FileDialogRequest{1, "Enter filename for this script..", "", "(*.*) All Files¬*.*", "", ""}));
    EXPECT_EQ(insertFileDialog(), (FileDialogRequest{0, "Select file to insert..", "", "(*.*) All Files¬*.*", "", ""}));
    const std::pair<const char*, const char*> filters[] = {
        {"Text Files¬*.txt", "Text Files (*.txt)"},
        {"(*.*) All Files¬*.*", "(*.*) All Files (*)"},
        {"Scripts¬*.txt;*.ini¬Everything¬*.*", "Scripts (*.txt *.ini);;Everything (*)"},
        {"No pattern", ""},
        {"", ""},
    };
    for (auto [in, out] : filters) EXPECT_EQ(toQtFilter(in), out) << in;
}

TEST(DocumentHelpers, AddBackslashAndFileExists) {
    const std::string sep(1, kPathSeparator);
    std::string tools = "Tools", root = sep, empty;
    EXPECT_EQ(AddBackslash(tools), "Tools" + sep);
    EXPECT_EQ(tools, "Tools" + sep);  // changed in place
    EXPECT_EQ(AddBackslash(root), sep);
    EXPECT_EQ(AddBackslash(empty), sep);

    TempDir dir;
    EXPECT_TRUE(FileExists(dir.file("empty.txt", true)));
    EXPECT_FALSE(FileExists(dir.file("none.txt", false)));
    EXPECT_FALSE(FileExists(dir.path.string()));
    EXPECT_FALSE(FileExists(""));
}

}  // namespace
}  // namespace quill::document
