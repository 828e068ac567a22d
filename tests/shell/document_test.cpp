#include "shell/document.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace quill::document {
namespace {

const std::string a = "/s/a.txt", full = "/s/full.txt";

// The editor with an in-memory disk on which `full` cannot be written, the
// caption, the status bar and the dialogs, which answer as told. Like the
// real editor it reports its modified state back, so IsModified follows it.
struct Fake : Editor, View, Dialogs {
    Document doc{*this, *this, *this};
    std::string text, general = "Welcome", modifiedPanel, caption = "start";
    bool modified = false;
    std::map<std::string, std::string> disk{{a, "old"}, {full, "old"}};
    std::map<std::string, textfile::TextFormat> formats;  // UTF-8 where not listed
    std::vector<textfile::TextFormat> savedIn;
    int inserted = 0;
    std::deque<std::string> paths;
    MsgBoxExResult answer = mbxResultCancel;
    std::vector<FileDialogRequest> shown;
    std::vector<MsgBoxExRequest> asked;

    // What the user can see of the document.
    using State = std::tuple<std::string, std::string, std::string, std::string, std::string, bool>;
    State state() const { return {text, doc.currentFileName(), caption, general, modifiedPanel, doc.isModified()}; }
    void type(const std::string& more) { text += more, setModifiedState(true); }
    void setModifiedState(bool flag) {
        if (flag != modified) doc.setModified(flag);
        modified = flag;
    }
    void clearText() override { text.clear(), setModifiedState(true); }
    bool textIs(std::string_view t) override { return text == t; }
    void resetForNewDocument() override { setModifiedState(false); }
    Failure loadFile(const std::string& path, textfile::TextFormat& format) override {
        if (!disk.count(path)) return "the file \"" + path + "\" does not exist";
        text = disk[path];
        format = formats[path];
        return setModifiedState(false), std::nullopt;
    }
    Failure saveToFile(const std::string& path, const textfile::TextFormat& format) override {
        if (path == full) return "\"" + path + "\" could not be written: disk full";
        disk[path] = text;
        savedIn.push_back(format);
        return setModifiedState(false), std::nullopt;
    }
    std::optional<std::string> unwritable(const textfile::TextFormat&) override { return std::nullopt; }
    void selectionEnd(int&, int&) override {}
    Failure insertFileAt(const std::string&, int, int) override { return ++inserted, std::nullopt; }
    void setGeneralPanel(const std::string& t) override { general = t; }
    void setModifiedPanel(const std::string& t) override { modifiedPanel = t; }
    void setCaption(const std::string& t) override { caption = t; }
    std::string showFileDialog(const FileDialogRequest& r) override {
        shown.push_back(r);
        if (paths.empty()) return {};
        const std::string path = paths.front();
        return paths.pop_front(), path;
    }
    MsgBoxExResult msgBoxEx(const MsgBoxExRequest& r) override { return asked.push_back(r), answer; }
    bool askYesNo(const std::string&, const std::string&) override { return false; }
};

const std::string kDefault = ";NPC Created By Tarnhollow's Legend Of Mir 2 : Quillmoor v3\r\n[@main]";
const std::string kUntitled = "Tarnhollow's Mir 2 Quillmoor : v3.1 : [Untitled NPC]",
                  kOpened = "File Opened Succesfully", kSaved = "The script has been saved successfully.",
                  kCancelled = "Script saving cancelled - no filename entered.";
std::string named(const std::string& path) { return "Legend Of Mir : Quillmoor : v3 : [" + path + "]"; }
std::string saveFailed(const std::string& path) {
    return "There was an error trying to save the script: \"" + path + "\" could not be written: disk full";
}

// Each row starts from a script that is `loaded` ("" untitled) and then
// `typed` into, runs one command with the path the file dialog gives, and ends
// with what the user sees and what was written to the disk.
TEST(DocumentFlow, CommandsFollowTheirTables) {
    using Disk = std::map<std::string, std::string>;
    using Command = bool (Document::*)();
    const Command New = &Document::newDocument, Open = &Document::openDocument, Save = &Document::saveDocument,
                  SaveAs = &Document::saveDocumentAs;
    enum Shown { none, open, saveAs, openThenSaveAs };
    enum Asked { silent, asks };
    struct Case {
        Command command;
        std::string loaded, typed, path;
        bool ok;
        Asked asked;  // whether the question about unsaved changes came
        Fake::State after;
        Disk written;
        Shown shown;
        MsgBoxExResult answer = mbxResultYes;
    };
    // clang-format off
    const Case cases[] = {
        {New, a, "", "", true, silent, {"", "", kUntitled, kOpened, "", false}, {}, none},
        {New, a, " more", "", true, asks, {"", "", kUntitled, kOpened, "", false}, {}, none, mbxResultNo},
        {New, a, " more", "", true, asks, {"", "", kUntitled, kSaved, "", false}, {{a, "old more"}}, none},
        {New, "", "new", "/s/new.txt", true, asks, {"", "", kUntitled, kSaved, "", false}, {{"/s/new.txt", "new"}}, saveAs},
        // Mended: a New whose save did not happen must not throw the script away.
        {New, "", "precious", "", false, asks, {"precious", "", "start", kCancelled, "Modified", true}, {}, saveAs},
        {New, full, " more", "", false, asks, {"old more", full, named(full), saveFailed(full), "Modified", true}, {}, none},
        // Mended: a question closed with its close box (Esc does nothing) is no answer.
        {New, a, " more", "", false, asks, {"old more", a, named(a), kOpened, "Modified", true}, {}, none, mbxResultCancel},
        // Mended: Open asks about unsaved changes once a file is chosen, as New does.
        {Open, "", "unsaved", a, true, asks, {"old", a, named(a), kOpened, "", false}, {}, open, mbxResultNo},
        {Open, a, " more", full, true, asks, {"old", full, named(full), kOpened, "", false}, {{a, "old more"}}, open},
        {Open, "", "unsaved", a, false, asks, {"unsaved", "", "start", kCancelled, "Modified", true}, {}, openThenSaveAs},
        {Open, full, " more", a, false, asks, {"old more", full, named(full), saveFailed(full), "Modified", true}, {}, open},
        {Open, "", "unsaved", a, false, asks, {"unsaved", "", "start", "Welcome", "Modified", true}, {}, open, mbxResultCancel},
        // The start-up script is not questioned, though inserting it set the flag.
        {Open, "", kDefault, a, true, silent, {"old", a, named(a), kOpened, "", false}, {}, open, mbxResultCancel},
        // Cancelled or failed, nothing changes.
        {Open, "", "x", "", false, silent, {"x", "", "start", "Welcome", "Modified", true}, {}, open},
        {Open, "", "x", "/s/gone.txt", false, asks,
         {"x", "", "start", "There was an error trying to open the selected file: the file \"/s/gone.txt\" does not exist",
          "Modified", true}, {}, open, mbxResultNo},
        {Save, a, " more", "", true, silent, {"old more", a, named(a), kSaved, "", false}, {{a, "old more"}}, none},
        {Save, "", "x", "/s/b.txt", true, silent, {"x", "/s/b.txt", "start", kSaved, "", false}, {{"/s/b.txt", "x"}}, saveAs},
        // Save As names the script but keeps the caption.
        {SaveAs, a, " more", "/s/b.txt", true, silent, {"old more", "/s/b.txt", named(a), kSaved, "", false}, {{"/s/b.txt", "old more"}}, saveAs},
        {SaveAs, "", "x", "", false, silent, {"x", "", "start", kCancelled, "Modified", true}, {}, saveAs},
        // Mended: a failed save says so and keeps the name, the flag and the file.
        {SaveAs, a, " more", full, false, silent, {"old more", a, named(a), saveFailed(full), "Modified", true}, {}, saveAs},
    };
    // clang-format on
    // clang-format off
    const std::vector<FileDialogRequest> dialogs[] = {{}, {openDialog()}, {saveAsDialog()}, {openDialog(), saveAsDialog()}};
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE("row " + std::to_string(&c - cases));
        Fake f;
        Disk disk = f.disk;
        if (!c.loaded.empty()) { ASSERT_TRUE(f.doc.loadDocument(c.loaded)); }
        if (!c.typed.empty()) f.type(c.typed);
        f.paths = {c.path}, f.answer = c.answer;
        EXPECT_EQ((f.doc.*c.command)(), c.ok);
        EXPECT_EQ(f.state(), c.after);
        for (const auto& [path, bytes] : c.written) disk[path] = bytes;
        EXPECT_EQ(f.disk, disk);
        EXPECT_EQ(f.shown, dialogs[c.shown]);
        ASSERT_EQ(f.asked.size(), c.asked == asks ? 1u : 0u);
        for (const MsgBoxExRequest& q : f.asked)
            EXPECT_EQ(std::tie(q.prompt, q.title, q.icon, q.buttons, q.autoCloseSecs, q.position, q.topMost,
                               q.forceScroll),
                      std::make_tuple("You Have Modified The Current NPC Script, Dou You Wish To Save It ?",
                                      "Save NPC Script?", mbxIconWarning, mbxYesNo, 0, mbxPosCentre, false, false));
    }
}

// Save writes the open file's format; a new script forgets it and is saved
// as UTF-8 without a mark.
TEST(DocumentFlow, NewForgetsTheFilesFormat) {
    const textfile::TextFormat western{textfile::Encoding::Windows1252};
    Fake f;
    f.formats[a] = western;
    ASSERT_TRUE(f.doc.loadDocument(a));
    ASSERT_TRUE(f.doc.saveDocument());
    ASSERT_TRUE(f.doc.newDocument());
    f.paths = {"/s/new.txt"};
    ASSERT_TRUE(f.doc.saveDocument());
    EXPECT_EQ(f.savedIn, (std::vector<textfile::TextFormat>{western, {}}));
}

// Where it goes in is checked on the real editor, in tst_modDocument.
TEST(DocumentFlow, InsertFileTakesOnlyAFile) {
    const auto dir = std::filesystem::temp_directory_path() / "quill_insert_test";
    std::filesystem::create_directories(dir);
    std::ofstream{dir / "part.txt"};  // empty, but a file
    Fake f;
    f.paths = {"", (dir / "missing.txt").string(), dir.string(), (dir / "part.txt").string()};
    for (bool inserted : {false, false, false, true}) EXPECT_EQ(f.doc.insertFile(), inserted);
    EXPECT_EQ(f.inserted, 1);
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace quill::document
