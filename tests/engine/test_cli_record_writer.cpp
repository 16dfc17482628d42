// quorvane-check's records in each form: the exact bytes of every kind of
// record, and names of any bytes given back by -0 and --json.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "platform/error_text.h"
#include "tests/engine/cli_test_support.h"

using clitest::Arguments;
using clitest::CheckCommandTest;
using clitest::RunResult;
using testsupport::Native;
using testsupport::PathOf;
using testsupport::WriteFile;

namespace {

// "@" in a record stands for the folder "in" below the test's, as the journal names it.
struct RecordCase {
    const char* name;
    Arguments before;  // a run that sets the stage, when not empty
    Arguments arguments;
    int exitCode;
    std::string tab;
    std::string json;
};

// A failing case is named, not dumped as bytes.
void PrintTo(const RecordCase& c, std::ostream* out) { *out << c.name; }

const std::string kMissing = ErrorText(ENOENT);

const RecordCase kRecordCases[] = {
    {"Judged", {}, {"a.gif", "b.png", "c.txt", "missing.png", "."}, 4,
     "mismatch\ta.gif\tPNG image; png\n"
     "match\tb.png\t\n"
     "unknown\tc.txt\t\n"
     "error\tmissing.png\t" + kMissing + "\n"
     "folder\t.\t\n",
     R"({"verdict":"mismatch","path":"a.gif","type":"PNG image","extension":"png","proposed_name":"a.png"})" "\n"
     R"({"verdict":"match","path":"b.png","type":"PNG image","extension":"png","proposed_name":null})" "\n"
     R"({"verdict":"unknown","path":"c.txt","type":null,"extension":null,"proposed_name":null})" "\n"
     R"({"verdict":"error","path":"missing.png","reason":")" + kMissing + "\"}\n"
     R"({"verdict":"folder","path":".","type":null,"extension":null,"proposed_name":null})" "\n"},
    {"DryRun", {}, {"--rename", "--dry-run", "a.gif", "d.gif"}, 0,
     "would-rename\ta.gif\ta.png\n"
     "would-fail\td.gif\td.png\tthe new name is taken\n",
     R"({"verdict":"would-rename","path":"a.gif","new_path":"a.png"})" "\n"
     R"({"verdict":"would-fail","path":"d.gif","new_path":"d.png","reason":"the new name is taken"})" "\n"},
    {"Renamed", {}, {"--rename", "a.gif", "d.gif"}, 3,
     "renamed\ta.gif\ta.png\n"
     "mismatch\td.gif\tPNG image; png\n",
     R"({"verdict":"renamed","path":"a.gif","new_path":"a.png"})" "\n"
     R"({"verdict":"mismatch","path":"d.gif","type":"PNG image","extension":"png","proposed_name":"d.png"})" "\n"},
    {"Undone", {"--rename", "in/e.gif"}, {"--undo"}, 0,
     "undone\t@e.png\t@e.gif\n",
     R"({"verdict":"undone","path":"@e.png","new_path":"@e.gif"})" "\n"},
};

std::string Replaced(std::string text, const std::string& folder) {
    for (size_t at; (at = text.find('@')) != std::string::npos;) text.replace(at, 1, folder);
    return text;
}

std::string JsonEscaped(const std::string& text) {
    std::string out;
    for (const char c : text) out += c == '\\' ? std::string("\\\\") : std::string(1, c);
    return out;
}

class RecordTest : public CheckCommandTest, public ::testing::WithParamInterface<RecordCase> {
protected:
    // The same files before every run: three mis-named, one of them whose new name is taken.
    void Plant() {
        std::filesystem::remove(PathOf(dir / "a.png"));
        std::filesystem::remove_all(PathOf(dir / "in"));
        std::filesystem::create_directory(PathOf(dir / "in"));
        WriteFile(dir / "in/e.gif", testsupport::kPngBytes);
        WriteFile(dir / "a.gif", testsupport::kPngBytes);
        WriteFile(dir / "b.png", testsupport::kPngBytes);
        WriteFile(dir / "c.txt", "text");
        WriteFile(dir / "d.gif", testsupport::kPngBytes);
        WriteFile(dir / "d.png", "taken");
    }
    RunResult RunAfterStage(const Arguments& arguments) {
        Plant();
        if (!GetParam().before.empty()) {
            EXPECT_EQ(Run(GetParam().before).exitCode, 0);
        }
        return Run(arguments);
    }
};

TEST_P(RecordTest, EachFormWritesTheRecordsFieldsInOrder) {
    const RecordCase& c = GetParam();
    const RunResult tab = RunAfterStage(c.arguments);
    EXPECT_EQ(tab.exitCode, c.exitCode) << tab.err;
    const std::string folder = dir / "in/";
    EXPECT_EQ(tab.out, Replaced(c.tab, folder));

    Arguments json = c.arguments;
    json.insert(json.begin(), "--json");
    const RunResult jsonRun = RunAfterStage(json);
    EXPECT_EQ(jsonRun.exitCode, c.exitCode) << jsonRun.err;
    EXPECT_EQ(jsonRun.out, Replaced(c.json, JsonEscaped(folder)));
}

INSTANTIATE_TEST_SUITE_P(Kinds, RecordTest, ::testing::ValuesIn(kRecordCases),
                         [](const ::testing::TestParamInfo<RecordCase>& info) { return info.param.name; });

// Undoes the escapes quorvane-check's JSON strings use.
std::string JsonStringValue(const std::string& object, const std::string& key) {
    const std::string opening = "\"" + key + "\":\"";
    size_t i = object.find(opening);
    if (i == std::string::npos) return "<absent>";
    std::string value;
    for (i += opening.size(); i < object.size() && object[i] != '"'; ++i) {
        if (object[i] != '\\') {
            value += object[i];
            continue;
        }
        const char e = object[++i];
        if (e == 'n') value += '\n';
        else if (e == 't') value += '\t';
        else if (e == 'r') value += '\r';
        else if (e == 'u') value += static_cast<char>(std::stoi(object.substr(i + 1, 4), nullptr, 16)), i += 4;
        else value += e;
    }
    return value;
}

std::string FromHex(const std::string& hex) {
    std::string bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return bytes;
}

TEST_F(CheckCommandTest, NullAndJsonRecordsGiveEveryNameBack) {
#ifdef _WIN32
    // Windows allows no control characters in names.
    const std::vector<std::string> names = {"sp ace.gif", "caf\xC3\xA9.gif", "\xE5\xA0\xB1.gif", "plain.gif"};
#else
    const std::vector<std::string> names = {"tab\there.gif", "new\nline.gif", "caf\xE9.gif", "plain.gif"};
#endif
    std::filesystem::create_directory(PathOf(dir / "in"));
    for (const std::string& name : names) WriteFile(dir / ("in/" + name), testsupport::kPngBytes);

    // -0: only NUL ends a record; the verdict leads and the type closes it, so
    // the path is what lies between, tabs and all.
    const RunResult nul = Run({"-0", "-r", "in"});
    ASSERT_EQ(nul.exitCode, 0) << nul.err;
    std::vector<std::string> fromNul;
    for (size_t start = 0, end; (end = nul.out.find('\0', start)) != std::string::npos; start = end + 1) {
        const std::string record = nul.out.substr(start, end - start);
        EXPECT_EQ(record.substr(0, record.find('\t')), "mismatch");
        EXPECT_EQ(record.substr(record.rfind('\t') + 1), "PNG image; png");
        fromNul.push_back(record.substr(record.find('\t') + 1, record.rfind('\t') - record.find('\t') - 1));
    }
    EXPECT_EQ(nul.out.find('\n', nul.out.find("line") + 5), std::string::npos);

    // --json: one object a line; the path text, or its raw bytes when it is not UTF-8.
    const RunResult json = Run({"--json", "-r", "in"});
    ASSERT_EQ(json.exitCode, 0) << json.err;
    std::vector<std::string> fromJson;
    size_t lines = 0;
    for (size_t start = 0, end; (end = json.out.find('\n', start)) != std::string::npos; start = end + 1) {
        const std::string object = json.out.substr(start, end - start);
        ++lines;
        EXPECT_EQ(JsonStringValue(object, "verdict"), "mismatch");
        EXPECT_EQ(JsonStringValue(object, "extension"), "png");
        const std::string bytes = JsonStringValue(object, "path_bytes");
        fromJson.push_back(bytes == "<absent>" ? JsonStringValue(object, "path") : FromHex(bytes));
        const std::string proposedBytes = JsonStringValue(object, "proposed_name_bytes");
        const std::string proposed =
            proposedBytes == "<absent>" ? JsonStringValue(object, "proposed_name") : FromHex(proposedBytes);
        EXPECT_EQ(proposed, fromJson.back().substr(3, fromJson.back().size() - 7) + ".png");
    }
    EXPECT_EQ(lines, names.size());
    for (const std::string& name : names) {
        EXPECT_EQ(std::count(fromNul.begin(), fromNul.end(), Native("in/" + name)), 1) << name;
        EXPECT_EQ(std::count(fromJson.begin(), fromJson.end(), Native("in/" + name)), 1) << name;
    }

    // Two paths in one record: -0 cannot tell where a name with a tab ends,
    // so renames are read back from --json, both paths whole.
    const RunResult renamed = Run({"--json", "--rename", "-r", "in"});
    ASSERT_EQ(renamed.exitCode, 0) << renamed.err;
    std::vector<std::pair<std::string, std::string>> renames;
    for (size_t start = 0, end; (end = renamed.out.find('\n', start)) != std::string::npos; start = end + 1) {
        const std::string object = renamed.out.substr(start, end - start);
        EXPECT_EQ(JsonStringValue(object, "verdict"), "renamed");
        const std::string bytes = JsonStringValue(object, "path_bytes");
        const std::string newBytes = JsonStringValue(object, "new_path_bytes");
        renames.emplace_back(bytes == "<absent>" ? JsonStringValue(object, "path") : FromHex(bytes),
                             newBytes == "<absent>" ? JsonStringValue(object, "new_path") : FromHex(newBytes));
    }
    ASSERT_EQ(renames.size(), names.size());
    for (const std::string& name : names) {
        const std::pair<std::string, std::string> expected = {
            Native("in/" + name), Native("in/" + name.substr(0, name.size() - 4) + ".png")};
        EXPECT_EQ(std::count(renames.begin(), renames.end(), expected), 1) << name;
    }
}

}  // namespace
