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
    std::vector<std::pair<std::string, std::pair<int, int>>> inserted;

    void type(const std::string& more) {
        text += more;
        setModifiedState(true);
    }
    void setModifiedState(bool flag) {
        if (flag != modified && doc) doc->setModified(flag);
        modified = flag;
    }
    void clearText() override { text.clear(); setModifiedState(true); }
    void resetForNewDocument() override { setModifiedState(false); }
    Failure loadFile(const std::string& path) override {
        auto it = disk.find(path);
        if (it == disk.end()) return "the file \"" + path + "\" does not exist";
        text = it->second;
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
        inserted.push_back({path, {line, column}});
        return std::nullopt;
    }
};

struct FakeView : View {
    std::string general = "Welcome", modifiedPanel, caption = "start";
    void setGeneralPanel(const std::string& t) override { general = t; }
    void setModifiedPanel(const std::string& t) override { modifiedPanel = t; }
    void setCaption(const std::string& t) override { caption = t; }
};

struct FakeDialogs : Dialogs {
    std::deque<std::string> paths;
    std::deque<MsgBoxExResult> answers;
    std::vector<FileDialogRequest> shown;
    std::vector<MsgBoxExRequest> asked;
    std::string showFileDialog(const FileDialogRequest& r) override {
        shown.push_back(r);
        if (paths.empty()) return {};
        std::string p = paths.front();
        paths.pop_front();
        return p;
    }
    MsgBoxExResult msgBoxEx(const MsgBoxExRequest& r) override {
        asked.push_back(r);
        if (answers.empty()) return mbxResultCancel;
        auto a = answers.front();
        answers.pop_front();
        return a;
    }
};

class DocumentFlow : public ::testing::Test {
protected:
    FakeEditor editor;
    FakeView view;
    FakeDialogs dialogs;
    Document doc{editor, view, dialogs};
    void SetUp() override { editor.doc = &doc; }

    // A named script with unsaved changes.
    void openModified(const std::string& path) {
        editor.disk[path] = "old";
        ASSERT_TRUE(doc.loadDocument(path));
        editor.type(" more");
    }
};

TEST_F(DocumentFlow, NewWithoutChangesAsksNothing) {
    editor.text = "something";
    EXPECT_TRUE(doc.newDocument());
    EXPECT_TRUE(dialogs.asked.empty());
    EXPECT_EQ(editor.text, "");
    EXPECT_EQ(view.caption, "Tarnhollow's Mir 2 Quillmoor : v3.1 : [Untitled NPC]");
    EXPECT_EQ(view.modifiedPanel, "");
    EXPECT_FALSE(doc.isModified());
    // Untitled: the next save asks for a name.
    doc.saveDocument();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0], saveAsDialog());
}

TEST_F(DocumentFlow, NewAsksTheQuestionWhenModified) {
    openModified("/s/shop.txt");
    dialogs.answers = {mbxResultNo};
    EXPECT_TRUE(doc.newDocument());
    ASSERT_EQ(dialogs.asked.size(), 1u);
    const MsgBoxExRequest& q = dialogs.asked[0];
    EXPECT_EQ(q.prompt, "You Have Modified The Current NPC Script, Dou You Wish To Save It ?");
    EXPECT_EQ(q.title, "Save NPC Script?");
    EXPECT_EQ(q.icon, mbxIconWarning);
    EXPECT_EQ(q.buttons, mbxYesNo);
    EXPECT_EQ(q.autoCloseSecs, 0);
    EXPECT_EQ(q.position, mbxPosCentre);
    EXPECT_FALSE(q.topMost);
    EXPECT_FALSE(q.forceScroll);
    EXPECT_EQ(editor.disk["/s/shop.txt"], "old");  // "No" discards
    EXPECT_EQ(editor.text, "");
    EXPECT_EQ(doc.currentFileName(), "");
}

TEST_F(DocumentFlow, NewYesSavesFirst) {
    openModified("/s/shop.txt");
    dialogs.answers = {mbxResultYes};
    EXPECT_TRUE(doc.newDocument());
    EXPECT_EQ(editor.disk["/s/shop.txt"], "old more");
    EXPECT_EQ(view.general, "The script has been saved successfully.");
    EXPECT_EQ(editor.text, "");
    // Untitled: through the save dialog.
    editor.type("fresh");
    dialogs.answers = {mbxResultYes};
    dialogs.paths = {"/s/new.txt"};
    EXPECT_TRUE(doc.newDocument());
    EXPECT_EQ(editor.disk["/s/new.txt"], "fresh");
    EXPECT_EQ(doc.currentFileName(), "");
}

TEST_F(DocumentFlow, NewStopsWhenTheSaveDidNotHappen) {
    // Save As cancelled on an untitled script.
    editor.type("precious");
    dialogs.answers = {mbxResultYes};
    EXPECT_FALSE(doc.newDocument());
    EXPECT_EQ(editor.text, "precious");
    EXPECT_EQ(view.general, "Script saving cancelled - no filename entered.");
    EXPECT_EQ(view.caption, "start");
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(view.modifiedPanel, "Modified");

    // The write itself fails on a named script.
    openModified("/s/full.txt");
    editor.unwritable.insert("/s/full.txt");
    dialogs.answers = {mbxResultYes};
    EXPECT_FALSE(doc.newDocument());
    EXPECT_EQ(editor.text, "old more");
    EXPECT_EQ(editor.disk["/s/full.txt"], "old");
    EXPECT_EQ(view.general, "There was an error trying to save the script: \"/s/full.txt\" could not be written: disk full");
    EXPECT_EQ(doc.currentFileName(), "/s/full.txt");
    EXPECT_TRUE(doc.isModified());
}

TEST_F(DocumentFlow, OpenLoadsAndNamesTheScript) {
    editor.disk["/Mir/shop.txt"] = "[@main]";
    editor.type("unsaved");
    dialogs.paths = {"/Mir/shop.txt"};
    EXPECT_TRUE(doc.openDocument());
    EXPECT_TRUE(dialogs.asked.empty());  // Open never asks
    EXPECT_EQ(dialogs.shown.at(0), openDialog());
    EXPECT_EQ(editor.text, "[@main]");
    EXPECT_EQ(view.caption, "Legend Of Mir : Quillmoor : v3 : [/Mir/shop.txt]");
    EXPECT_EQ(view.general, "File Opened Succesfully");
    EXPECT_EQ(view.modifiedPanel, "");
    EXPECT_EQ(doc.currentFileName(), "/Mir/shop.txt");
    editor.type("!");
    EXPECT_TRUE(doc.saveDocument());
    EXPECT_EQ(dialogs.shown.size(), 1u);  // no dialog for the save
    EXPECT_EQ(editor.disk["/Mir/shop.txt"], "[@main]!");
}

TEST_F(DocumentFlow, OpenCancelledOrFailedChangesNothing) {
    openModified("/s/a.txt");
    view.general = "before";
    EXPECT_FALSE(doc.openDocument());
    EXPECT_EQ(view.general, "before");

    dialogs.paths = {"/s/gone.txt"};
    EXPECT_FALSE(doc.openDocument());
    EXPECT_EQ(view.general, "There was an error trying to open the selected file: the file \"/s/gone.txt\" does not exist");
    EXPECT_EQ(doc.currentFileName(), "/s/a.txt");
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(view.modifiedPanel, "Modified");
    EXPECT_EQ(view.caption, "Legend Of Mir : Quillmoor : v3 : [/s/a.txt]");
}

TEST_F(DocumentFlow, SaveAsNamesTheScriptButKeepsTheCaption) {
    editor.type("x");
    dialogs.paths = {"/s/b.txt"};
    EXPECT_TRUE(doc.saveDocumentAs());
    EXPECT_EQ(editor.disk["/s/b.txt"], "x");
    EXPECT_EQ(view.general, "The script has been saved successfully.");
    EXPECT_EQ(view.caption, "start");
    EXPECT_EQ(doc.currentFileName(), "/s/b.txt");
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(view.modifiedPanel, "");

    EXPECT_FALSE(doc.saveDocumentAs());  // cancelled
    EXPECT_EQ(view.general, "Script saving cancelled - no filename entered.");
    EXPECT_EQ(doc.currentFileName(), "/s/b.txt");
}

TEST_F(DocumentFlow, SaveAsThatCannotWriteKeepsTheOldName) {
    openModified("/s/a.txt");
    editor.unwritable.insert("/s/full.txt");
    dialogs.paths = {"/s/full.txt"};
    EXPECT_FALSE(doc.saveDocumentAs());
    EXPECT_EQ(view.general.rfind("There was an error trying to save the script: ", 0), 0u);
    EXPECT_EQ(doc.currentFileName(), "/s/a.txt");
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(editor.disk.count("/s/full.txt"), 0u);
}

TEST_F(DocumentFlow, InsertFileGoesInAtTheSelectionEnd) {
    const auto dir = std::filesystem::temp_directory_path() / "quill_insert_test";
    std::filesystem::create_directories(dir);
    const std::string file = (dir / "part.txt").string();
    std::ofstream(file) << "inserted";
    dialogs.paths = {"", (dir / "missing.txt").string(), dir.string(), file};
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(doc.insertFile());
    EXPECT_TRUE(editor.inserted.empty());
    EXPECT_TRUE(doc.insertFile());
    ASSERT_EQ(editor.inserted.size(), 1u);
    EXPECT_EQ(editor.inserted[0].first, file);
    EXPECT_EQ(editor.inserted[0].second, std::make_pair(2, 5));
    EXPECT_EQ(dialogs.shown.at(0), insertFileDialog());
    std::filesystem::remove_all(dir);
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

TEST(DocumentHelpers, MaxLongAddBackslashFileExists) {
    EXPECT_EQ(MaxLong(-200, 15), 15);
    EXPECT_EQ(MaxLong(4000, 15), 4000);
    EXPECT_EQ(MaxLong(15, 15), 15);

    const std::string sep(1, kPathSeparator);
    std::string tools = "Tools";
    EXPECT_EQ(AddBackslash(tools), "Tools" + sep);
    EXPECT_EQ(tools, "Tools" + sep);  // changed in place
    std::string root = sep;
    EXPECT_EQ(AddBackslash(root), sep);
    std::string empty;
    EXPECT_EQ(AddBackslash(empty), sep);

    const auto dir = std::filesystem::temp_directory_path() / "quill_exists_test";
    std::filesystem::create_directories(dir);
    std::ofstream((dir / "empty.txt").string());
    EXPECT_TRUE(FileExists((dir / "empty.txt").string()));
    EXPECT_FALSE(FileExists((dir / "none.txt").string()));
    EXPECT_FALSE(FileExists(dir.string()));
    EXPECT_FALSE(FileExists(""));
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace quill::document
