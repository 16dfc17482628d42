// Real containers from several writers (tests/data/containers, made by
// scripts/make_container_samples.sh), judged with the shipped table: named
// right they fit; under a foreign name the second look proposes their own
// extension; without the second look every verdict is the leading bytes' one.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "platform/path_split.h"
#include "signature/loader.h"
#include "signature/matcher.h"
#include "engine/path_check.h"
#include "tests/common/test_support.h"

namespace {

const std::string kSamples = std::string(QUORVANE_SOURCE_DIR) + "/tests/data/containers/";

struct ContainerSample {
    std::string file;                       // below kSamples
    std::vector<std::string> extensions;    // the true one first, then its equals
};

void PrintTo(const ContainerSample& s, std::ostream* os) { *os << s.file; }

std::vector<ContainerSample> ReadManifest() {
    std::vector<ContainerSample> samples;
    std::istringstream manifest(testsupport::ReadFile(kSamples + "manifest.tsv"));
    std::string line;
    std::getline(manifest, line);  // the column names
    while (std::getline(manifest, line)) {
        std::vector<std::string> fields;
        std::istringstream in(line);
        for (std::string field; std::getline(in, field, '\t');) fields.push_back(field);
        if (fields.size() < 2) continue;
        ContainerSample sample{fields[0], {fields[1]}};
        std::istringstream alternatives(fields.size() > 2 ? fields[2] : "");
        for (std::string ext; std::getline(alternatives, ext, ',');) sample.extensions.push_back(ext);
        samples.push_back(sample);
    }
    return samples;
}

const FileIdTable& ShippedTable() {
    static const FileIdTable table = [] {
        FileIdTable shipped;
        TryLoadFileIdData(std::string(QUORVANE_SOURCE_DIR) + "/Quorvane.dat", kHeaderTemplate, shipped);
        return shipped;
    }();
    return table;
}

// What a mis-named copy may be proposed as: its own extension or an equal one;
// a password-protected OOXML file is a compound file whose package stays
// closed, so it gets the compound file's proposal.
std::vector<std::string> RightProposals(const ContainerSample& s) {
    std::vector<std::string> right = s.extensions;
    if (s.file.find("_encrypted_") != std::string::npos) right.push_back("doc");
    return right;
}

class ContainerSamples : public ::testing::TestWithParam<ContainerSample> {};

TEST(ContainerSampleData, HasTheSamples) { EXPECT_GE(ReadManifest().size(), 100u); }

TEST_P(ContainerSamples, FitUnderTheirNameAndGetItProposedUnderAnother) {
    const ContainerSample& s = GetParam();
    const FileIdTable& table = ShippedTable();
    const std::string bytes = testsupport::ReadFile(kSamples + s.file);
    ASSERT_FALSE(bytes.empty());

    const PathVerdict named = CheckPath(testsupport::Native(kSamples + s.file), table, true);
    EXPECT_EQ(named.verdict.status, STATUS_MATCH);

    // ".txt" is never part of a program's name, so a program without extension is mis-named there too.
    testsupport::TempDir dir;
    const std::string misnamed = dir / "sample.txt";
    testsupport::WriteFile(misnamed, bytes);
    const PathVerdict looked = CheckPath(misnamed, table, true);
    ASSERT_EQ(looked.verdict.status, STATUS_MISMATCH);
    const std::string proposed = table[looked.verdict.entryIndex].extension;
    const std::vector<std::string> right = RightProposals(s);
    EXPECT_NE(std::find(right.begin(), right.end(), proposed), right.end()) << "proposed '" << proposed << "'";

    const PathVerdict leading = CheckPath(misnamed, table, false);
    const auto* lead = reinterpret_cast<const unsigned char*>(bytes.data());
    EXPECT_EQ(leading.verdict, ClassifyLeadingBytes(table, lead, static_cast<int>(std::min<size_t>(bytes.size(), 64)),
                                                    PathExtension(misnamed)));
}

INSTANTIATE_TEST_SUITE_P(Writers, ContainerSamples, ::testing::ValuesIn(ReadManifest()), [](const auto& info) {
    std::string name = info.param.file.substr(info.param.file.rfind('/') + 1);
    std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name;
});

}  // namespace
