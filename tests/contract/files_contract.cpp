// The files port: the same promises from POSIX files and Windows files.
#include <fstream>
#include <optional>

#include "contract/ports.h"
#include "diagnostics/failure.h"
#include "support/temp_folder.h"

namespace sw::test {
namespace {

class FilesContract : public ::testing::TestWithParam<PortSet> {
protected:
    TempFolder folder;
    std::unique_ptr<Files> files = GetParam().files(folder.path());

    bool writable(const std::string& name) const {
        using std::filesystem::perms;
        return (std::filesystem::status(folder / name).permissions() & perms::owner_write) != perms::none;
    }
};

TEST_P(FilesContract, AppendsLinesWithCrLfAndCreatesTheFile) {
    files->appendLine(folder / "debug.log", u"first\tline");
    files->appendLine(folder / "debug.log", u"");
    files->appendLine(folder / "debug.log", u"second");
    EXPECT_EQ(folder.read("debug.log"), "first\tline\r\n\r\nsecond\r\n");
}

TEST_P(FilesContract, ReadOnlyAttributeComesAndGoes) {
    folder.write("config.xml", "<config/>");
    files->setAttributes(folder / "config.xml", 1);
    EXPECT_FALSE(writable("config.xml"));
    files->setAttributes(folder / "config.xml", 0);
    EXPECT_TRUE(writable("config.xml"));
}

TEST_P(FilesContract, ReplacementIsCreatedBesideTheFileAndPutInItsPlace) {
    folder.write("config.xml", "old");
    const std::optional<std::filesystem::path> first = files->createReplacement(folder / "config.xml");
    const std::optional<std::filesystem::path> second = files->createReplacement(folder / "config.xml");
    ASSERT_TRUE(first && second);
    EXPECT_NE(*first, *second);  // each caller gets a file of its own
    EXPECT_EQ(first->parent_path(), folder.path());
    std::ofstream(*first, std::ios::binary) << "new";
    files->replaceFile(*first, folder / "config.xml");
    EXPECT_EQ(folder.read("config.xml"), "new");
    EXPECT_FALSE(std::filesystem::exists(*first));
    files->removeFile(*second);
    EXPECT_FALSE(std::filesystem::exists(*second));
}

// The same situations give the same numbers on both platforms.
TEST_P(FilesContract, FailuresCarryTheRuntimeNumbers) {
    folder.write("present", "x");
    std::filesystem::create_directory(folder / "folder");
    struct Row {
        const char* comment;
        std::function<void()> call;
        std::int32_t number;
    };
    const std::vector<Row> rows = {
        {"a missing file is not found", [&] { files->requireFile(folder / "absent"); }, 53},
        {"a folder is not a file", [&] { files->requireFile(folder / "folder"); }, 53},
        {"attributes of a missing file", [&] { files->setAttributes(folder / "absent", 0); }, 53},
        {"a log in a missing folder", [&] { files->appendLine(folder / "none" / "debug.log", u"x"); }, 53},
        {"replacing from a missing file", [&] { files->replaceFile(folder / "absent", folder / "present"); }, 53},
        {"replacing a missing file", [&] { files->replaceFile(folder / "present", folder / "absent"); }, 53},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.comment);
        try {
            row.call();
            ADD_FAILURE() << "no failure";
        } catch (const Failure& f) {
            EXPECT_EQ(f.number(), row.number) << f.what();
            EXPECT_FALSE(f.description().empty());
        }
    }
    EXPECT_EQ(folder.read("present"), "x");
    files->removeFile(folder / "absent");  // harmless
}

INSTANTIATE_TEST_SUITE_P(Platform, FilesContract, ::testing::ValuesIn(platformPorts()), portName);

}  // namespace
}  // namespace sw::test
