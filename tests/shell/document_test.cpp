#include "shell/document.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <tuple>
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
    template <typename T>
    static T next(std::deque<T>& queue, T otherwise) {
        if (queue.empty()) return otherwise;
        T front = queue.front();
        queue.pop_front();
        return front;
    }
    std::string showFileDialog(const FileDialogRequest& r) override { return shown.push_back(r), next(paths, {}); }
    MsgBoxExResult msgBoxEx(const MsgBoxExRequest& r) override { return asked.push_back(r), next(answers, mbxResultCancel); }
};

// Everything the user can see of the document, and what is on the disk.
struct State {
    std::string text, fileName, caption, general, modifiedPanel;
    bool modified;
    bool operator==(const State&) const = default;
};
std::ostream& operator<<(std::ostream& os, const State& s) {
    return os << "{text=" << s.text << " name=" << s.fileName << " caption=" << s.caption << " general=" << s.general
              << " panel=" << s.modifiedPanel << " modified=" << s.modified << "}";
}

const std::string kUntitled = "Tarnhollow's Mir 2 Quillmoor : v3.1 : [Untitled NPC]";
const std::string kCancelled = "Script saving cancelled - no filename entered.";
const std::string kSaved = "The script has been saved successfully.";

class DocumentFlow : public ::testing::Test {
protected:
    FakeEditor editor;
    FakeWindow w;
    Document doc{editor, w, w};
    void SetUp() override { editor.doc = &doc; }
    State state() const { return {editor.text, doc.currentFileName(), w.caption, w.general, w.modifiedPanel, doc.isModified()}; }

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
    EXPECT_EQ(state(), (State{"", "", kUntitled, "Welcome", "", false}));

    openModified("/s/shop.txt");
    w.answers = {mbxResultNo};
    EXPECT_TRUE(doc.newDocument());
    ASSERT_EQ(w.asked.size(), 1u);
    const MsgBoxExRequest& q = w.asked[0];
    EXPECT_EQ(std::tie(q.prompt, q.title, q.icon, q.buttons, q.autoCloseSecs, q.position, q.topMost, q.forceScroll),
              std::make_tuple("You Have Modified The Current NPC Script, Dou You Wish To Save It ?", "Save NPC Script?",
                              mbxIconWarning, mbxYesNo, 0, mbxPosCentre, false, false));
    EXPECT_EQ(editor.disk["/s/shop.txt"], "old");
    EXPECT_EQ(state(), (State{"", "", kUntitled, "File Opened Succesfully", "", false}));
    doc.saveDocument();  // untitled: asks for a name
    EXPECT_EQ(w.shown.at(0), saveAsDialog());
}

TEST_F(DocumentFlow, NewYesSavesFirst) {
    openModified("/s/shop.txt");
    w.answers = {mbxResultYes};
    EXPECT_TRUE(doc.newDocument());
    EXPECT_EQ(editor.disk["/s/shop.txt"], "old more");
    EXPECT_EQ(state(), (State{"", "", kUntitled, kSaved, "", false}));

    editor.type("fresh");
    w.answers = {mbxResultYes};
    w.paths = {"/s/new.txt"};
    EXPECT_TRUE(doc.newDocument());
    EXPECT_EQ(editor.disk["/s/new.txt"], "fresh");
    EXPECT_EQ(state(), (State{"", "", kUntitled, kSaved, "", false}));
}

// Mended: a New whose save did not happen must not throw the script away.
TEST_F(DocumentFlow, NewStopsWhenTheSaveDidNotHappen) {
    editor.type("precious");
    w.answers = {mbxResultYes};  // and the Save As dialog is cancelled
    EXPECT_FALSE(doc.newDocument());
    EXPECT_EQ(state(), (State{"precious", "", "start", kCancelled, "Modified", true}));

    openModified("/s/full.txt");
    editor.unwritable.insert("/s/full.txt");
    w.answers = {mbxResultYes};
    EXPECT_FALSE(doc.newDocument());
    EXPECT_EQ(editor.disk["/s/full.txt"], "old");
    EXPECT_EQ(state(), (State{"old more", "/s/full.txt", "Legend Of Mir : Quillmoor : v3 : [/s/full.txt]",
                              "There was an error trying to save the script: \"/s/full.txt\" could not be written: disk full",
                              "Modified", true}));
}

TEST_F(DocumentFlow, OpenNeverAsksAndNamesTheScript) {
    editor.disk["/Mir/shop.txt"] = "[@main]";
    editor.type("unsaved");
    w.paths = {"/Mir/shop.txt"};
    EXPECT_TRUE(doc.openDocument());
    EXPECT_TRUE(w.asked.empty());
    EXPECT_EQ(w.shown.at(0), openDialog());
    const State opened{"[@main]", "/Mir/shop.txt", "Legend Of Mir : Quillmoor : v3 : [/Mir/shop.txt]",
                       "File Opened Succesfully", "", false};
    EXPECT_EQ(state(), opened);

    // Cancelled or failed: nothing changes.
    editor.type("!");
    w.general = opened.general;
    EXPECT_FALSE(doc.openDocument());
    w.paths = {"/s/gone.txt"};
    EXPECT_FALSE(doc.openDocument());
    EXPECT_EQ(state(), (State{"[@main]!", "/Mir/shop.txt", opened.caption,
                              "There was an error trying to open the selected file: the file \"/s/gone.txt\" does not exist",
                              "Modified", true}));

    EXPECT_TRUE(doc.saveDocument());
    EXPECT_EQ(w.shown.size(), 3u);  // a named script saves without a dialog
    EXPECT_EQ(editor.disk["/Mir/shop.txt"], "[@main]!");
}

TEST_F(DocumentFlow, SaveAsNamesTheScriptButKeepsTheCaption) {
    editor.type("x");
    w.paths = {"/s/b.txt"};
    EXPECT_TRUE(doc.saveDocumentAs());
    EXPECT_EQ(editor.disk["/s/b.txt"], "x");
    EXPECT_EQ(state(), (State{"x", "/s/b.txt", "start", kSaved, "", false}));
    EXPECT_FALSE(doc.saveDocumentAs());  // cancelled
    EXPECT_EQ(state(), (State{"x", "/s/b.txt", "start", kCancelled, "", false}));
}

// Mended: a failed save says so and keeps the name, the flag and the file.
TEST_F(DocumentFlow, SaveAsThatCannotWriteKeepsTheOldName) {
    openModified("/s/a.txt");
    editor.unwritable.insert("/s/full.txt");
    w.paths = {"/s/full.txt"};
    EXPECT_FALSE(doc.saveDocumentAs());
    EXPECT_EQ(state(), (State{"old more", "/s/a.txt", "Legend Of Mir : Quillmoor : v3 : [/s/a.txt]",
                              "There was an error trying to save the script: \"/s/full.txt\" could not be written: disk full",
                              "Modified", true}));
    EXPECT_EQ(editor.disk.count("/s/full.txt"), 0u);
}

TEST_F(DocumentFlow, InsertFileGoesInAtTheSelectionEnd) {
    const auto dir = std::filesystem::temp_directory_path() / "quill_insert_test";
    std::filesystem::create_directories(dir);
    const std::string file = (dir / "part.txt").string();  // empty, but a file
    std::ofstream{file};
    w.paths = {"", (dir / "missing.txt").string(), dir.string(), file};
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(doc.insertFile());
    EXPECT_TRUE(doc.insertFile());
    EXPECT_EQ(editor.inserted, (decltype(editor.inserted){{file, 2, 5}}));
    EXPECT_EQ(w.shown.at(0), insertFileDialog());
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

// FileExists is covered by Insert File above.
TEST(DocumentHelpers, AddBackslashChangesItsArgument) {
    const std::string sep(1, kPathSeparator);
    std::string tools = "Tools", root = sep, empty;
    EXPECT_EQ(AddBackslash(tools), "Tools" + sep);
    EXPECT_EQ(tools, "Tools" + sep);
    EXPECT_EQ(AddBackslash(root), sep);
    EXPECT_EQ(AddBackslash(empty), sep);
}

}  // namespace
}  // namespace quill::document
