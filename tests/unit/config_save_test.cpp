#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>

#include "config/config_store.h"
#include "support/config_fixture.h"
#include "support/unprivileged.h"
#include "text.h"

namespace sw {
namespace {

using test::ConfigTest;
using test::FakeSettings;
using test::TempFolder;
namespace fs = std::filesystem;
using V = std::vector<std::u16string>;

bool ownerCanWrite(const std::filesystem::path& p) {
    struct stat st {};
    return ::stat(p.c_str(), &st) == 0 && (st.st_mode & S_IWUSR);
}

// Everything in the folder but the saved file: name and content (a link's target).
std::map<std::string, std::string> otherEntries(const TempFolder& folder, const fs::path& saved) {
    std::map<std::string, std::string> entries;
    for (const fs::directory_entry& e : fs::recursive_directory_iterator(folder.path())) {
        const std::string name = e.path().lexically_relative(folder.path()).string();
        if (e.is_symlink())
            entries[name] = "-> " + fs::read_symlink(e.path()).string();
        else if (e.is_regular_file() && !fs::equivalent(e.path(), saved))
            entries[name] = folder.read(name);
        else if (e.is_directory())
            entries[name] = "/";
    }
    return entries;
}

class ConfigSaveTest : public ConfigTest {
protected:
    FakeSettings settings;

    void SetUp() override {
        settings.lists[0] = {u"極秘", u"社外秘"};
        settings.lists[1] = {u"添付"};
        settings.lists[2] = {u"example.co.jp"};
    }
    void saveAndReload() {
        store.saveConfigXML(settings);
        store.loadConfigXML();
    }
};

TEST_F(ConfigSaveTest, RebuildsListsFromTheSettingsAndKeepsEverythingElse) {
    writeConfig("<!-- kept comment -->\n"
                "<body-check><word>old</word><!-- inner --><other>x</other><word>old2</word></body-check>\n"
                "<attachment-check/>\n"
                "<recipient-check><word>stays</word><domain>old.jp</domain></recipient-check>\n"
                "<deferred-delivery use=\"False\">5</deferred-delivery><debug>False</debug><extra a=\"1\"/>");
    store.loadConfigXML();
    settings.lists[0] = {u" spaced ", u"Dup", u"Dup", u"", u"cr\rlf\n", u"<&>\"'"};
    settings.minutes = u"12";
    settings.useDeferred = true;
    saveAndReload();

    EXPECT_TRUE(env.messageBoxes.shown.empty());
    EXPECT_TRUE(store.configLoaded());
    EXPECT_EQ(store.entries(ConfigList::bodyCheckWords), settings.lists[0]);
    EXPECT_EQ(store.entries(ConfigList::attachmentCheckWords), (V{u"添付"}));
    EXPECT_EQ(store.entries(ConfigList::safeDomains), (V{u"example.co.jp"}));
    EXPECT_EQ(store.deferredMinutes(), 12);
    EXPECT_TRUE(store.useDeferredDelivery());

    const std::string xml = folder.read("config.xml");
    EXPECT_EQ(xml.rfind("<?xml", 0), 0u) << xml;
    for (const char* kept : {"<!-- kept comment -->", "<!-- inner -->", "<other>x</other>", "<word>stays</word>",
                             "<extra a=\"1\"", "<debug>False</debug>", "use=\"True\""})
        EXPECT_NE(xml.find(kept), std::string::npos) << kept << "\n" << xml;
    EXPECT_EQ(xml.find("old"), std::string::npos) << xml;
    // New elements follow the kept children, in the settings' order.
    EXPECT_LT(xml.find("<other>x</other>"), xml.find("<word> spaced </word>"));
    EXPECT_EQ(xml.find("<word>stays</word>"), xml.rfind("<word>stays</word>"));
}

std::string utf16(std::u16string_view text, bool bigEndian) {
    std::string out;
    for (char16_t c : text) {
        const char high = static_cast<char>(c >> 8), low = static_cast<char>(c & 0xFF);
        out += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return out;
}

TEST_F(ConfigSaveTest, FilesAreWrittenBackInTheEncodingTheyDeclare) {
    const std::u16string declaredUtf16 = u"<?xml version=\"1.0\" encoding=\"UTF-16\"?>";
    const std::u16string utf16Doc = declaredUtf16 + u"\r\n<config><body-check/><attachment-check><word>添付</word>"
                                    u"</attachment-check><recipient-check/><deferred-delivery use=\"False\">5</deferred-delivery></config>";
    const struct {
        const char* why;
        std::string file;
        std::string head;  // how the saved file starts
        std::string word;  // 極秘 as the saved file must hold it
    } rows[] = {
        // 添付's last byte is "\\" in ASCII; ① is one of the NEC characters Windows adds
        {"Shift_JIS",
         "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<config><body-check><word>\x87\x40</word></body-check>"
         "<attachment-check><word>\x93\x59\x95\x74</word></attachment-check><recipient-check/>"
         "<deferred-delivery use=\"False\">5</deferred-delivery></config>",
         "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>", "<word>\x8B\xC9\x94\xE9</word><word>\x87\x40</word><word>&#128512;</word>"},
        {"UTF-16 little endian", "\xFF\xFE" + utf16(utf16Doc, false), "\xFF\xFE" + utf16(declaredUtf16, false),
         utf16(u"<word>極秘</word>", false)},
        {"UTF-16 big endian", "\xFE\xFF" + utf16(utf16Doc, true), "\xFE\xFF" + utf16(declaredUtf16, true),
         utf16(u"<word>極秘</word>", true)},
        {"UTF-8 with a byte order mark", "\xEF\xBB\xBF" + test::configXml(test::standardInner),
         "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>", "<word>極秘</word>"},
        // the internal DTD is kept, its entities still declared
        {"an internal DTD",
         "<!DOCTYPE config [<!ENTITY w \"添付\">]><config><body-check/><attachment-check><word>&w;</word>"
         "</attachment-check><recipient-check/><deferred-delivery use=\"False\">5</deferred-delivery></config>",
         "<?xml version=\"1.0\"?>\n<!DOCTYPE config [\n<!ENTITY w \"添付\">", "<word>極秘</word>"},
    };
    settings.lists[0] = {u"極秘", u"①", u"\U0001F600"};
    for (const auto& row : rows) {
        std::filesystem::remove(folder / "config.xml");
        folder.write("config.xml", row.file);
        store.loadConfigXML();
        ASSERT_TRUE(store.configLoaded()) << row.why;
        EXPECT_EQ(store.entries(ConfigList::attachmentCheckWords), (V{u"添付"})) << row.why;
        saveAndReload();
        EXPECT_TRUE(env.messageBoxes.shown.empty()) << row.why;
        EXPECT_EQ(store.entries(ConfigList::bodyCheckWords), settings.lists[0]) << row.why;
        const std::string saved = folder.read("config.xml");
        EXPECT_EQ(saved.rfind(row.head, 0), 0u) << row.why << "\n" << saved;
        EXPECT_NE(saved.find(row.word), std::string::npos) << row.why << "\n" << saved;
    }
}

TEST_F(ConfigSaveTest, EntryThatXmlCannotHoldLeavesTheFileAsItWas) {
    writeConfig(test::standardInner);
    const std::string before = folder.read("config.xml");
    store.loadConfigXML();
    settings.lists[0] = {u"a\u0001b"};
    store.saveConfigXML(settings);
    ASSERT_EQ(env.messageBoxes.shown.size(), 1u);
    EXPECT_EQ(procedure(0), u"saveConfigXML");
    EXPECT_EQ(position(0), u"xmlConfig.Save");
    EXPECT_EQ(folder.read("config.xml"), before);
}

TEST_F(ConfigSaveTest, WritesMinutesTextUnchangedSoBadTextFailsTheReload) {
    writeConfig(test::standardInner);
    store.loadConfigXML();
    settings.minutes = u"abc";
    settings.useDeferred = false;
    saveAndReload();
    EXPECT_FALSE(store.configLoaded());
    EXPECT_NE(folder.read("config.xml").find("use=\"False\">abc<"), std::string::npos);
}

TEST_F(ConfigSaveTest, FileIsReadOnlyAfterASaveAndCanBeSavedAgain) {
    writeConfig(test::standardInner);
    store.loadConfigXML();
    saveAndReload();
    EXPECT_FALSE(ownerCanWrite(folder / "config.xml"));
    settings.lists[2] = {u"second.example"};
    saveAndReload();
    EXPECT_TRUE(env.messageBoxes.shown.empty());
    EXPECT_EQ(store.entries(ConfigList::safeDomains), (V{u"second.example"}));
    EXPECT_FALSE(ownerCanWrite(folder / "config.xml"));
    EXPECT_TRUE(otherEntries(folder, folder / "config.xml").empty());
}

TEST_F(ConfigSaveTest, MissingListParentIsReportedAndTheRestIsStillWritten) {
    writeConfig("<body-check/><group><recipient-check><domain>deep.jp</domain></recipient-check></group>"
                "<deferred-delivery use=\"False\">5</deferred-delivery>");
    store.loadConfigXML();
    ASSERT_EQ(store.entries(ConfigList::safeDomains), (V{u"deep.jp"}));
    saveAndReload();

    // attachment-check is missing; recipient-check is not a child of the root.
    ASSERT_EQ(env.messageBoxes.shown.size(), 2u);
    EXPECT_EQ(procedure(0), u"addCheckWords");
    EXPECT_EQ(position(0), u"selectSingleNode");
    EXPECT_TRUE(env.messageBoxes.shown[0].text.ends_with(u"[追加情報]\r\nattachment-check"));
    EXPECT_TRUE(env.messageBoxes.shown[1].text.ends_with(u"[追加情報]\r\nrecipient-check"));
    EXPECT_EQ(store.entries(ConfigList::bodyCheckWords), (V{u"極秘", u"社外秘"}));
    EXPECT_TRUE(store.entries(ConfigList::safeDomains).empty());  // removed, and not appended anywhere
}

TEST_F(ConfigSaveTest, MissingDeferredDeliveryIsReportedWithTheLastLabelAndListsAreWritten) {
    writeConfig("<body-check/><attachment-check/><recipient-check/>");
    store.loadConfigXML();
    saveAndReload();
    ASSERT_EQ(env.messageBoxes.shown.size(), 1u);
    EXPECT_EQ(procedure(0), u"editDeferredDelivery");
    EXPECT_EQ(position(0), u"xmlNode Name = recipient-check");
    EXPECT_EQ(store.entries(ConfigList::safeDomains), (V{u"example.co.jp"}));
}

TEST_F(ConfigSaveTest, DeferredDeliveryWithoutUseKeepsTheMinutesWritten) {
    writeConfig("<body-check/><attachment-check/><recipient-check/><deferred-delivery>1</deferred-delivery>");
    store.loadConfigXML();
    EXPECT_FALSE(store.configLoaded());
    settings.minutes = u"30";
    store.saveConfigXML(settings);
    ASSERT_EQ(env.messageBoxes.shown.size(), 2u);
    EXPECT_EQ(procedure(1), u"editDeferredDelivery");
    EXPECT_NE(folder.read("config.xml").find("<deferred-delivery>30</deferred-delivery>"), std::string::npos);
}

// What a save keeps of the file it rewrites. Every row saves new lists, which then
// reload; the file config.xml names keeps its owner, group and mode less the write
// bits; everything else in the folder stays as it was (no temporary file left).
struct KeptIdentity {
    const char* name;
    std::function<void(const TempFolder&)> arrange;
    bool byOrdinaryUser;  // saved without root's power to write into any folder
    bool inPlace;         // the file itself is rewritten, not replaced
};

const KeptIdentity keptIdentities[] = {
    // A link keeps linking; its target takes the new content.
    {"symbolic link",
     [](const TempFolder& f) {
         fs::create_directory(f / "store");
         fs::rename(f / "config.xml", f / "store" / "config.xml");
         fs::create_symlink("store/config.xml", f / "config.xml");
     },
     false, false},
    // A private file stays private.
    {"mode 0600",
     [](const TempFolder& f) { fs::permissions(f / "config.xml", fs::perms::owner_read | fs::perms::owner_write); },
     false, false},
    // Another user's file keeps its owner and group when root saves it.
    {"owner and group", [](const TempFolder& f) { test::giveToOrdinaryUser(f / "config.xml"); }, false, false},
    // A file with the name a temporary file might take is not ours to overwrite.
    {"existing config.xml.saving", [](const TempFolder& f) { f.write("config.xml.saving", "someone else's"); }, false,
     false},
    // The folder takes no new files though the file may be written (last: may skip).
    {"read-only folder",
     [](const TempFolder& f) {
         test::giveToOrdinaryUser(f / "config.xml");
         test::giveToOrdinaryUser(f.path());
         fs::permissions(f.path(), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                       fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
     },
     true, true},
};

TEST_F(ConfigSaveTest, SaveKeepsTheFilesIdentity) {
    for (const KeptIdentity& row : keptIdentities) {
        SCOPED_TRACE(row.name);
        TempFolder rowFolder;
        sim::SimEnvironment rowEnv{rowFolder.path()};
        rowFolder.write("config.xml", test::configXml(test::standardInner));
        rowEnv.config.loadConfigXML();
        row.arrange(rowFolder);
        const fs::path target = fs::canonical(rowFolder / "config.xml");
        const bool link = fs::is_symlink(rowFolder / "config.xml");
        const auto others = otherEntries(rowFolder, target);
        struct stat before {};
        ASSERT_EQ(::stat(target.c_str(), &before), 0);

        auto save = [&] {
            rowEnv.config.saveConfigXML(settings);
            return static_cast<int>(rowEnv.messageBoxes.shown.size());
        };
        const std::optional<int> reports = row.byOrdinaryUser ? test::runAsOrdinaryUser(save) : save();
        if (!reports) GTEST_SKIP() << "running as root without the right to become another user: " << row.name;
        EXPECT_EQ(*reports, 0);

        struct stat after {};
        ASSERT_EQ(::stat(target.c_str(), &after), 0);
        EXPECT_EQ(after.st_mode & 07777, before.st_mode & 07555);
        EXPECT_EQ(after.st_uid, before.st_uid);
        EXPECT_EQ(after.st_gid, before.st_gid);
        EXPECT_EQ(after.st_ino == before.st_ino, row.inPlace);
        EXPECT_EQ(fs::is_symlink(rowFolder / "config.xml"), link);
        EXPECT_EQ(otherEntries(rowFolder, target), others);
        rowEnv.config.loadConfigXML();
        EXPECT_TRUE(rowEnv.messageBoxes.shown.empty());
        EXPECT_EQ(rowEnv.config.entries(ConfigList::bodyCheckWords), settings.lists[0]);
    }
}

TEST_F(ConfigSaveTest, FileRemovedSinceLoadIsReportedAndNothingIsWritten) {
    writeConfig(test::standardInner);
    store.loadConfigXML();
    std::filesystem::remove(folder / "config.xml");
    store.saveConfigXML(settings);
    ASSERT_EQ(env.messageBoxes.shown.size(), 1u);
    EXPECT_EQ(procedure(0), u"saveConfigXML");
    EXPECT_EQ(position(0), u"FileSystemObject Handling");
    EXPECT_FALSE(folder.exists("config.xml"));
}

TEST_F(ConfigSaveTest, RemovingElementsAlreadyGoneIsReportedOncePerList) {
    writeConfig(test::standardInner);
    store.loadConfigXML();
    // Removing the lists twice without a reload: the second walk finds the elements gone.
    store.saveConfigXML(settings);
    env.messageBoxes.shown.clear();
    store.saveConfigXML(settings);
    ASSERT_EQ(env.messageBoxes.shown.size(), 3u);
    EXPECT_EQ(procedure(0), u"removeCheckWords");
    EXPECT_EQ(position(0), u"saveConfigXML");  // the failing element had no parent to name
    // Earlier list nodes stay readable after they left the document.
    EXPECT_EQ(store.entries(ConfigList::bodyCheckWords), (V{u"社外秘", u"極秘"}));
}

// A document whose save writes half the file and then fails, as a full disk would.
class HalfWritingFactory : public xml::DocumentFactory {
public:
    explicit HalfWritingFactory(xml::DocumentFactory& real) : real_(real) {}
    xml::DocumentPtr createDocument() override { return std::make_shared<Doc>(real_.createDocument()); }

private:
    struct Doc : xml::Document {
        explicit Doc(xml::DocumentPtr d) : inner(std::move(d)) {}
        bool load(const std::filesystem::path& f) override { return inner->load(f); }
        xml::NodeListPtr getElementsByTagName(const std::u16string& p) override { return inner->getElementsByTagName(p); }
        xml::NodePtr selectSingleNode(const std::u16string& e) override { return inner->selectSingleNode(e); }
        xml::NodePtr documentElement() override { return inner->documentElement(); }
        xml::NodePtr createElement(const std::u16string& n) override { return inner->createElement(n); }
        void save(const std::filesystem::path& f) override {
            std::ofstream(f, std::ios::binary) << "<?xml version=\"1.0\"?><config><body-ch";
            throw Failure(61, u"Disk full");
        }
        xml::DocumentPtr inner;
    };
    xml::DocumentFactory& real_;
};

// Real files, of which one step refuses as a full disk or a locked file would.
class RefusingFiles : public sim::PosixFiles {
public:
    enum Step { none, createReplacement_, replaceFile_ };
    RefusingFiles(const fs::path& folder, Step step, int error) : PosixFiles(folder), step_(step), error_(error) {}

    std::optional<fs::path> createReplacement(const fs::path& file) override {
        if (step_ == createReplacement_) throw sim::fileFailure(error_, file);
        return PosixFiles::createReplacement(file);
    }
    void replaceFile(const fs::path& from, const fs::path& to) override {
        if (step_ == replaceFile_) throw sim::fileFailure(error_, to);
        PosixFiles::replaceFile(from, to);
    }

private:
    Step step_;
    int error_;
};

// A save that fails leaves the old file byte for byte, readable, without its
// read-only flag (cleared first) and with no temporary file beside it.
struct FailedSave {
    const char* name;
    bool documentFails;          // the document's write stops halfway
    RefusingFiles::Step refused;  // or this files step refuses
    int error;
    std::u16string report;       // number and text shown, before the file's path
};

const FailedSave failedSaves[] = {
    // The disk fills while the temporary file is written.
    {"document write", true, RefusingFiles::none, 0, u"61 Disk full"},
    // The written temporary file cannot take the file's place.
    {"replace", false, RefusingFiles::replaceFile_, ENOSPC, u"61 " + fromUtf8(std::strerror(ENOSPC)) + u": "},
    // Neither a new file in the folder nor a write in place is allowed.
    {"no new file, no write", false, RefusingFiles::createReplacement_, EACCES,
     u"70 " + fromUtf8(std::strerror(EACCES)) + u": "},
};

TEST_F(ConfigSaveTest, SaveThatFailsLeavesTheOldFileIntact) {
    writeConfig(test::standardInner);
    const std::string before = folder.read("config.xml");
    for (const FailedSave& row : failedSaves) {
        SCOPED_TRACE(row.name);
        env.messageBoxes.shown.clear();
        HalfWritingFactory halfWriting(env.documents);
        RefusingFiles files(folder.path(), row.refused, row.error);
        xml::DocumentFactory* documents = &env.documents;
        if (row.documentFails) documents = &halfWriting;
        ConfigStore failing(env.diagnostics, files, *documents);
        failing.loadConfigXML();
        ASSERT_TRUE(failing.configLoaded());

        failing.saveConfigXML(settings);
        ASSERT_EQ(env.messageBoxes.shown.size(), 1u);
        EXPECT_EQ(position(0), u"xmlConfig.Save");
        EXPECT_NE(env.messageBoxes.shown[0].text.find(row.report), std::u16string::npos);
        EXPECT_EQ(folder.read("config.xml"), before);
        EXPECT_TRUE(otherEntries(folder, folder / "config.xml").empty());
        EXPECT_TRUE(ownerCanWrite(folder / "config.xml"));
    }
    store.loadConfigXML();
    EXPECT_TRUE(store.configLoaded());
    EXPECT_EQ(store.entries(ConfigList::bodyCheckWords), (V{u"社外秘", u"極秘"}));
}

TEST_F(ConfigSaveTest, NeverWritesTheEmptyDocumentOfAFailedLoad) {
    writeConfig(test::standardInner);
    store.loadConfigXML();
    folder.write("config.xml", "<config><broken>");
    store.loadConfigXML();
    ASSERT_FALSE(store.configLoaded());
    env.messageBoxes.shown.clear();
    store.saveConfigXML(settings);
    EXPECT_EQ(folder.read("config.xml"), "<config><broken>");
    EXPECT_EQ(procedure(env.messageBoxes.shown.size() - 1), u"saveConfigXML");
}

TEST_F(ConfigSaveTest, SaveTracesInDebugMode) {
    env.clock.fix({2009, 1, 5, 9, 3, 7});
    writeConfig("<body-check/><attachment-check/><recipient-check/>"
                "<deferred-delivery use=\"False\">5</deferred-delivery><debug>True</debug>");
    store.loadConfigXML();
    store.saveConfigXML(settings);
    EXPECT_EQ(folder.read("debug.log"),
              "[2009/01/05 09:03:07] \tmodConfigXMLHandler\tsaveConfigXML\tsaveConfigXML\t0\t\t\r\n");
}

}  // namespace
}  // namespace sw
