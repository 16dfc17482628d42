// The shipped signature table, Quorvane.dat: its lines are well formed for the
// loader and the matcher, no entry hides another, and a small sample of each
// family is recognised with the right extensions.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "list/file_list.h"
#include "platform/path_split.h"
#include "signature/file_id_table.h"
#include "signature/loader.h"
#include "signature/matcher.h"

using namespace std::string_literals;

namespace {

const std::string kShippedTable = std::string(QUORVANE_SOURCE_DIR) + "/Quorvane.dat";

const FileIdTable& Table() {
    static const FileIdTable table = [] {
        FileIdTable shipped;
        TryLoadFileIdData(kShippedTable, kHeaderTemplate, shipped);
        return shipped;
    }();
    return table;
}

std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::vector<std::string> SplitFields(const std::string& line) {
    std::vector<std::string> fields(1);
    for (char c : line) {
        if (c == ',') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

// Data lines of the shipped file, as text: everything after the two header lines
// that is not a comment.
std::vector<std::string> DataLines() {
    std::vector<std::string> lines = SplitLines(ReadWhole(kShippedTable));
    std::vector<std::string> data;
    for (size_t i = 2; i < lines.size(); ++i) {
        if (lines[i].empty() || lines[i][0] != ';') data.push_back(lines[i]);
    }
    return data;
}

bool SameSignature(const FileIdEntry& a, const FileIdEntry& b) {
    return a.offset == b.offset && a.patternLength == b.patternLength &&
           std::memcmp(a.pattern, b.pattern, static_cast<size_t>(a.patternLength)) == 0;
}

// Whether every file that `later` fits is also fitted by `earlier`: each byte
// `earlier` asks for lies inside `later`'s pattern and is the same there.
bool Covers(const FileIdEntry& earlier, const FileIdEntry& later) {
    for (int32_t k = 0; k < earlier.patternLength; ++k) {
        const int32_t position = earlier.offset + k - later.offset;
        if (position < 0 || position >= later.patternLength || later.pattern[position] != earlier.pattern[k]) {
            return false;
        }
    }
    return true;
}

// A wrong name, but an extension the table knows: an unknown suffix is part of
// a program's or a script's name.
std::string AnotherKindsExtension(const std::string& proposed) { return proposed == "gif" ? ".png" : ".gif"; }

std::string Describe(int32_t index) {
    const FileIdEntry& entry = Table()[index];
    return "entry " + std::to_string(index) + " (" + entry.typeName + ", " + entry.extension + ")";
}

class ShippedTable : public ::testing::Test {
protected:
    void SetUp() override {
        FileIdTable table;
        ASSERT_FALSE(TryLoadFileIdData(kShippedTable, kHeaderTemplate, table).has_value());
    }
};

TEST_F(ShippedTable, LoadsEveryDataLine) {
    EXPECT_EQ(static_cast<size_t>(Table().Count()), DataLines().size());
    EXPECT_GT(Table().Count(), 300);
    EXPECT_LE(Table().Count(), kFileIdTableSize);
}

TEST_F(ShippedTable, IsPlainAsciiTextEndingWithALineFeed) {
    const std::string text = ReadWhole(kShippedTable);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.back(), '\n');
    EXPECT_EQ(text.find('\r'), std::string::npos);
    EXPECT_EQ(text.find("\n\n"), std::string::npos) << "an empty line is a data error";
    for (unsigned char c : text) {
        ASSERT_TRUE(c == '\n' || (c >= 0x20 && c < 0x7F)) << "byte " << static_cast<int>(c);
    }
}

TEST_F(ShippedTable, DataLinesHaveTheSixFieldsInTheirShapes) {
    for (const std::string& line : DataLines()) {
        SCOPED_TRACE(line);
        const std::vector<std::string> fields = SplitFields(line);
        ASSERT_EQ(fields.size(), 6u);
        EXPECT_FALSE(fields[0].empty());
        EXPECT_EQ(fields[0].find_first_not_of("0123456789"), std::string::npos) << "offset";
        // Lower-case letters are not hexadecimal digits to the loader.
        EXPECT_FALSE(fields[1].empty()) << "an empty pattern fits every file";
        EXPECT_EQ(fields[1].size() % 2, 0u);
        EXPECT_EQ(fields[1].find_first_not_of("0123456789ABCDEF"), std::string::npos) << "pattern";
        EXPECT_EQ(fields[2], "0");
        EXPECT_EQ(fields[3], "");
        EXPECT_FALSE(fields[4].empty());
        EXPECT_EQ(fields[4].front() != ' ' && fields[4].back() != ' ', true) << "type name";
        EXPECT_EQ(fields[5].find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789"), std::string::npos)
            << "extension";
    }
}

TEST_F(ShippedTable, EveryEntryFitsTheBytesReadAndTheTextsTheirRoom) {
    for (int32_t i = 0; i < Table().Count(); ++i) {
        const FileIdEntry& entry = Table()[i];
        SCOPED_TRACE(Describe(i));
        EXPECT_GE(entry.patternLength, 1);
        EXPECT_LE(entry.patternLength, 31);
        EXPECT_GE(entry.offset, 0);
        EXPECT_LE(entry.offset + entry.patternLength, kLeadingBytes);
        EXPECT_LE(std::strlen(entry.extension), 14u);
        // The expected-type text is used whole: nothing may be cut from it.
        EXPECT_LE(std::strlen(entry.typeName) + 2 + std::strlen(entry.extension), kExpectTypeCapacity);
        EXPECT_EQ(ExpectedTypeText(entry), std::string(entry.typeName) + "; " + entry.extension);
    }
}

// Lines with one signature are one family: they stand together and the first
// one, which is proposed, is never empty. Their type names tell the family's
// members apart, so an extension may repeat under another type name (a synonym
// of two members), never under the same one.
TEST_F(ShippedTable, AlternativesStandTogether) {
    int32_t start = 0;
    while (start < Table().Count()) {
        const FileIdEntry& first = Table()[start];
        EXPECT_STRNE(first.extension, "") << Describe(start) << " would propose an empty extension";
        std::set<std::string> members;
        int32_t end = start;
        for (; end < Table().Count() && SameSignature(first, Table()[end]); ++end) {
            const std::string member = std::string(Table()[end].typeName) + "; " + Table()[end].extension;
            EXPECT_TRUE(members.insert(member).second) << Describe(end) << " twice";
        }
        for (int32_t later = end; later < Table().Count(); ++later) {
            EXPECT_FALSE(SameSignature(first, Table()[later]))
                << Describe(later) << " repeats the signature of " << Describe(start) << " away from it";
        }
        start = end;
    }
}

TEST_F(ShippedTable, NoEntryIsHiddenByAnEarlierOne) {
    for (int32_t later = 0; later < Table().Count(); ++later) {
        for (int32_t earlier = 0; earlier < later; ++earlier) {
            if (SameSignature(Table()[earlier], Table()[later])) continue;
            if (Covers(Table()[earlier], Table()[later])) {
                ADD_FAILURE() << Describe(later) << " is never reached: " << Describe(earlier) << " fits first";
                break;
            }
        }
    }
}

// ---------------------------------------------------------------- samples per family

struct Sample {
    const char* name;
    std::string bytes;
    std::string proposed;               // the extension a mis-named file is given
    std::vector<std::string> accepted;  // further extensions that fit; "" = none at all
};

void PrintTo(const Sample& s, std::ostream* os) { *os << s.name; }

std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

Verdict Classify(const std::string& bytes, const std::string& extension) {
    return ClassifyLeadingBytes(Table(), reinterpret_cast<const unsigned char*>(bytes.data()),
                                static_cast<int>(std::min<size_t>(bytes.size(), kLeadingBytes)), extension);
}

// A ZIP local file header: version and flags as written, the sizes, the first
// member's name at 30, then the start of its data.
std::string ZipMember(const std::string& versionAndFlags, const std::string& name, const std::string& sizes = "",
                      const std::string& data = "") {
    std::string header = "PK\x03\x04"s + versionAndFlags;
    header.resize(18, '\0');
    header += sizes;
    header.resize(26, '\0');
    header += static_cast<char>(name.size());
    header += "\0\0\0"s;
    return header + name + data;
}

// The first page of an Ogg stream, the codec's header starting at 28.
std::string OggPage(const std::string& codecHeader) {
    return "OggS\0\x02"s + std::string(20, '\0') + "\x01\x1e"s + codecHeader;
}

// An ELF identification for a little-endian file of the class, then its type.
std::string Elf(char elfClass, char type) {
    return "\x7f" "ELF"s + elfClass + "\x01\x01"s + std::string(9, '\0') + type + "\0\x3e\0"s;
}

const std::string kOdfType = "application/vnd.oasis.opendocument.";

const std::string kEbmlHeader = "\x1a\x45\xdf\xa3\x9f\x42\x86\x81\x01\x42\xf7\x81\x01\x42\xf2\x81\x04\x42\xf3\x81\x08"s;

class FamilySample : public ShippedTable, public ::testing::WithParamInterface<Sample> {};

TEST_P(FamilySample, IsRecognisedWithItsExtensions) {
    const Sample& s = GetParam();
    const Verdict misnamed = Classify(s.bytes, AnotherKindsExtension(s.proposed));
    ASSERT_EQ(misnamed.status, STATUS_MISMATCH);
    EXPECT_STREQ(Table()[misnamed.entryIndex].extension, s.proposed.c_str()) << Describe(misnamed.entryIndex);

    EXPECT_EQ(Classify(s.bytes, "." + s.proposed).status, STATUS_MATCH) << s.proposed;
    EXPECT_EQ(Classify(s.bytes, "." + Upper(s.proposed)).status, STATUS_MATCH) << Upper(s.proposed);
    bool noExtensionAccepted = false;
    for (const std::string& extension : s.accepted) {
        if (extension.empty()) {
            noExtensionAccepted = true;
            continue;
        }
        EXPECT_EQ(Classify(s.bytes, "." + extension).status, STATUS_MATCH) << extension;
        EXPECT_EQ(Classify(s.bytes, "." + Upper(extension)).status, STATUS_MATCH) << Upper(extension);
    }
    EXPECT_EQ(Classify(s.bytes, "").status, noExtensionAccepted ? STATUS_MATCH : STATUS_MISMATCH);
}

INSTANTIATE_TEST_SUITE_P(
    Images, FamilySample,
    ::testing::Values(
        Sample{"Png", "\x89PNG\r\n\x1a\n\0\0\0\rIHDR"s, "png", {"apng"}},
        Sample{"Jpeg", "\xff\xd8\xff\xe0\0\x10JFIF\0"s, "jpg", {"jpeg", "jpe", "jfif"}},
        Sample{"JpegLs", "\xff\xd8\xff\xf7\0\x0b\x08\0"s, "jls", {}},
        Sample{"Gif", "GIF89a\x10\0\x10\0"s, "gif", {}},
        Sample{"TiffLittleEndian", "II*\0\x08\0\0\0"s, "tif", {"tiff", "dng", "nef", "arw"}},
        Sample{"TiffBigEndian", "MM\0*\0\0\0\x08"s, "tif", {"tiff", "nef"}},
        Sample{"CanonRawBeforeTiff", "II*\0\x10\0\0\0" "CR\x02\0"s, "cr2", {}},
        Sample{"Bmp", "BM\x36\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0"s, "bmp", {}},
        Sample{"Icon", "\0\0\x01\0\x01\0\x10\x10"s, "ico", {}},
        Sample{"Cursor", "\0\0\x02\0\x01\0\x20\x20"s, "cur", {}},
        Sample{"WebP", "RIFF\x1a\0\0\0WEBPVP8 "s, "webp", {}},
        Sample{"Netpbm", "P6\n16 16\n255\n"s, "ppm", {}}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    AudioAndVideo, FamilySample,
    ::testing::Values(
        Sample{"Wave", "RIFF\x24\0\0\0WAVEfmt \x10\0\0\0"s, "wav", {"wave"}},
        Sample{"Avi", "RIFF\0\x10\0\0" "AVI LIST"s, "avi", {}},
        Sample{"OtherRiff", "RIFF\x24\0\0\0WAVEJUNK"s, "wav", {"avi", "webp"}},
        Sample{"Aiff", "FORM\0\0\x10\0" "AIFFCOMM"s, "aif", {"aiff", "aifc"}},
        Sample{"Flac", "fLaC\0\0\0\x22"s, "flac", {}},
        Sample{"Id3TagBeforeAnyAudio", "ID3\x04\0\0\0\0\x01\0"s, "mp3", {"aac", "flac"}},
        Sample{"MpegAudioFrame", "\xff\xfb\x90\x64"s, "mp3", {}},
        Sample{"AdtsAac", "\xff\xf1\x50\x80"s, "aac", {}},
        Sample{"OggVorbis", OggPage("\x01vorbis\0\0\0\0"s), "ogg", {"oga"}},
        Sample{"OggOpus", OggPage("OpusHead\x01\x02"s), "opus", {"ogg"}},
        Sample{"OggOtherCodec", OggPage("\x80kate\0\0\0"s), "ogg", {"oga", "ogv", "ogx"}},
        Sample{"Mp4GenericBrand", "\0\0\0\x18" "ftypisom\0\0\x02\0isomiso2"s, "mp4", {"m4v", "m4a", "m4b", "mov", "3gp"}},
        Sample{"Mp4Audio", "\0\0\0\x1c" "ftypM4A \0\0\0\0"s, "m4a", {"m4b"}},
        Sample{"QuickTime", "\0\0\0\x14" "ftypqt  \0\0\0\0"s, "mov", {"qt"}},
        Sample{"Heic", "\0\0\0\x18" "ftypheic\0\0\0\0mif1heic"s, "heic", {"heif"}},
        Sample{"Avif", "\0\0\0\x1c" "ftypavif\0\0\0\0"s, "avif", {"avifs"}},
        Sample{"ThreeGpp", "\0\0\0\x1c" "ftyp3gp4\0\0\x02\0"s, "3gp", {}},
        Sample{"WebM", kEbmlHeader + "\x42\x82\x84webm"s, "webm", {}},
        Sample{"Matroska", kEbmlHeader + "\x42\x82\x88matroska"s, "mkv", {"mka"}},
        Sample{"MatroskaDocTypeFirst", "\x1a\x45\xdf\xa3\x93\x42\x82\x88matroska"s, "mkv", {"mka"}},
        Sample{"MpegProgramStream", "\0\0\x01\xba\x44\0\x04\0"s, "mpg", {"mpeg", "vob"}},
        Sample{"MpegTransportStream", "\x47\x40\x11\x10\0\x42\xf0\x25"s, "ts", {"mts", "m2ts"}}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    ArchivesAndDocuments, FamilySample,
    ::testing::Values(
        Sample{"Zip", ZipMember("\x14\0\0\0\x08\0"s, "notes.txt"), "zip", {"jar", "docx", "xlsx", "whl"}},
        Sample{"ZipStoredAtMaximumLevel", ZipMember("\x0a\0\x02\0\0\0"s, "notes.txt"), "zip", {}},
        Sample{"Zip64Stream", ZipMember("\x2d\0\x08\0\x08\0"s, "-"), "zip", {}},
        // An Office package whose first member does not tell Word, Excel or PowerPoint.
        Sample{"OfficePackage", ZipMember("\x14\0\x06\0\x08\0"s, "[Content_Types].xml"), "zip",
               {"docx", "xlsx", "pptx", "vsdx"}},
        Sample{"ZipSpannedMark", "PK\x07\x08"s + ZipMember("\x14\0\x08\0\x08\0"s, "notes.txt"), "zip",
               {"docx", "odt", "jar"}},
        Sample{"Epub", ZipMember("\x0a\0\0\0\0\0"s, "mimetype", "\x14\0\0\0\x14\0\0\0"s, "application/epub+zip"),
               "epub", {}},
        // The media type's length, in the sizes of the stored member, tells the ODF kinds apart.
        Sample{"OdfText", ZipMember("\x14\0\0\0\0\0"s, "mimetype", "\x27\0\0\0\x27\0\0\0"s, kOdfType + "text"),
               "odt", {}},
        Sample{"OdfSpreadsheet",
               ZipMember("\x14\0\0\0\0\0"s, "mimetype", "\x2e\0\0\0\x2e\0\0\0"s, kOdfType + "spreadsheet"), "ods",
               {}},
        Sample{"OdfOtherKind",
               ZipMember("\x14\0\0\0\0\0"s, "mimetype", "\x99\0\0\0\x99\0\0\0"s, kOdfType + "anything"), "odt",
               {"ods", "odp"}},
        Sample{"JavaArchive", ZipMember("\x14\0\x08\x08\x08\0"s, "META-INF/MANIFEST.MF"), "jar", {"war", "apk", "xpi"}},
        Sample{"WordFolderFirst", ZipMember("\x14\0\x08\x08\x08\0"s, "word/document.xml"), "docx", {"docm"}},
        Sample{"Gzip", "\x1f\x8b\x08\0\0\0\0\0\0\x03"s, "gz", {"tgz", "svgz"}},
        Sample{"Bzip2", "BZh91AY&SY"s, "bz2", {"tbz2"}},
        Sample{"Xz", "\xfd" "7zXZ\0\0\x04"s, "xz", {"txz"}},
        Sample{"LzmaDefaultDictionary", "\x5d\0\0\x80\0\xff\xff\xff\xff\xff\xff\xff\xff"s, "lzma", {}},
        Sample{"Zstandard", "\x28\xb5\x2f\xfd\x24\0"s, "zst", {"zstd"}},
        Sample{"SevenZip", "7z\xbc\xaf\x27\x1c\0\x04"s, "7z", {}},
        Sample{"Rar", "Rar!\x1a\x07\x01\0"s, "rar", {}},
        Sample{"DebianPackage", "!<arch>\ndebian-binary   "s, "deb", {}},
        Sample{"ArArchive", "!<arch>\n/               "s, "a", {"ar", "lib"}},
        Sample{"CompoundFile", "\xd0\xcf\x11\xe0\xa1\xb1\x1a\xe1"s, "doc",
               {"xls", "ppt", "dot", "xlt", "pps", "pot", "msi", "msg", "db", "docx", "xlsx", "pptx"}},
        Sample{"Pdf", "%PDF-1.7\n%"s, "pdf", {"ai"}},
        Sample{"PostScript", "%!PS-Adobe-3.0\n%%"s, "ps", {"eps"}},
        Sample{"EncapsulatedPostScript", "%!PS-Adobe-3.0 EPSF-3.0\n"s, "eps", {"epsf", "epsi"}},
        Sample{"Rtf", "{\\rtf1\\ansi"s, "rtf", {}},
        Sample{"Sqlite", "SQLite format 3\0"s, "sqlite", {"sqlite3", "db", "db3"}},
        Sample{"TrueType", "\0\x01\0\0\0\x10\x01\0\0\x04\0\x30"s, "ttf", {"otf"}},
        Sample{"IconCacheIsNoFont", "\0\x01\0\0\0\0\0\x0c\0\x01"s, "cache", {}},
        Sample{"Woff2", "wOF2\0\x01\0\0"s, "woff2", {}}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    ProgramsAndText, FamilySample,
    ::testing::Values(
        Sample{"ElfSharedObject", Elf('\x02', '\x03'), "so", {"", "elf", "debug"}},
        Sample{"ElfObject", Elf('\x02', '\x01'), "o", {"ko"}},
        Sample{"ElfExecutable", Elf('\x02', '\x02'), "elf", {""}},
        Sample{"Elf32", Elf('\x01', '\x03'), "elf", {"", "so", "o"}},
        Sample{"JavaClass", "\xca\xfe\xba\xbe\0\0\0\x34"s, "class", {}},
        Sample{"MachOUniversal", "\xca\xfe\xba\xbe\0\0\0\x02"s, "macho", {"", "dylib", "so"}},
        Sample{"MachO", "\xcf\xfa\xed\xfe\x07\0\0\x01"s, "macho", {"", "dylib"}},
        Sample{"WindowsExecutable", "MZ\x90\0\x03\0\0\0"s, "exe", {"dll", "sys"}},
        Sample{"PythonBytecode", "\xcb\x0d\x0d\x0a\0\0\0\0"s, "pyc", {}},
        Sample{"GettextCatalog", "\xde\x12\x04\x95\0\0\0\0"s, "mo", {"gmo"}},
        Sample{"Script", "#!/bin/sh\necho\n"s, "sh", {"", "bash", "py", "pl", "rb", "php"}},
        Sample{"AmrIsNoScript", "#!AMR\n\x3c\x91"s, "amr", {}},
        Sample{"Html", "<!DOCTYPE html>\n<html>"s, "html", {"htm"}},
        Sample{"PemCertificate", "-----BEGIN CERTIFICATE-----\nMIIB"s, "crt", {"pem", "cer"}},
        Sample{"PgpKeyArmored", "-----BEGIN PGP PUBLIC KEY BLOCK-----\n"s, "asc", {"gpg", "pgp"}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------- files made by real tools

// tests/data/family_samples.tsv, written by scripts/make_family_samples.sh: the first 64 bytes of
// files that Debian's tools make, one for each name a family accepts. Named right (either case)
// the file fits; under a foreign name it gets the family's proposal.
struct MadeSample {
    std::string name;
    std::string extension;
    std::string proposed;
    std::string bytes;
};

void PrintTo(const MadeSample& s, std::ostream* os) { *os << s.name; }

std::vector<MadeSample> MadeSamples() {
    std::vector<MadeSample> samples;
    for (const std::string& line : SplitLines(ReadWhole(std::string(QUORVANE_SOURCE_DIR) + "/tests/data/family_samples.tsv"))) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> fields;
        std::istringstream in(line);
        for (std::string field; std::getline(in, field, '\t');) fields.push_back(field);
        if (fields.size() != 4) continue;
        std::string bytes;
        for (size_t i = 0; i + 1 < fields[2].size(); i += 2) {
            bytes += static_cast<char>(std::stoi(fields[2].substr(i, 2), nullptr, 16));
        }
        samples.push_back({fields[3], fields[0], fields[1], bytes});
    }
    return samples;
}

class MadeByTools : public ShippedTable, public ::testing::WithParamInterface<MadeSample> {};

TEST(MadeByToolsData, HasOneSamplePerRow) { EXPECT_GT(MadeSamples().size(), 150u); }

TEST_P(MadeByTools, FitsUnderItsNameAndGetsTheFamilyProposalOtherwise) {
    const MadeSample& s = GetParam();
    const std::string own = s.extension.empty() ? "" : "." + s.extension;
    EXPECT_EQ(Classify(s.bytes, own).status, STATUS_MATCH) << "'" << own << "'";
    EXPECT_EQ(Classify(s.bytes, Upper(own)).status, STATUS_MATCH) << Upper(own);
    const Verdict misnamed = Classify(s.bytes, AnotherKindsExtension(s.proposed));
    ASSERT_EQ(misnamed.status, STATUS_MISMATCH);
    EXPECT_STREQ(Table()[misnamed.entryIndex].extension, s.proposed.c_str()) << Describe(misnamed.entryIndex);
}

INSTANTIATE_TEST_SUITE_P(Families, MadeByTools, ::testing::ValuesIn(MadeSamples()),
                         [](const auto& info) { return info.param.name; });

// ---------------------------------------------------------------- the ZIP family under a plain header

// Packages of the ZIP family are often written by plain archivers, or by Office and
// Java's writer with flags of their own: their first member tells nothing. Every
// name of the family must then be accepted, under each variant alike, and a foreign
// name gets zip.
const std::vector<std::string> kZipFamilyExtensions = {"zip", "jar", "docx", "xlsx", "pptx", "odt",
                                                       "ods", "odp", "epub", "apk", "xpi", "cbz",
                                                       "whl", "war", "kmz", "nupkg"};

struct ZipVariant {
    const char* name;
    std::string versionFlagsAndMethod;
};

void PrintTo(const ZipVariant& v, std::ostream* os) { *os << v.name; }

class PlainZipHeader : public ShippedTable, public ::testing::WithParamInterface<ZipVariant> {};

TEST_P(PlainZipHeader, AcceptsEveryFamilyNameAndProposesZip) {
    const std::string bytes = ZipMember(GetParam().versionFlagsAndMethod, "content.bin");
    for (const std::string& extension : kZipFamilyExtensions) {
        EXPECT_EQ(Classify(bytes, "." + extension).status, STATUS_MATCH) << extension;
        EXPECT_EQ(Classify(bytes, "." + Upper(extension)).status, STATUS_MATCH) << Upper(extension);
    }
    for (const std::string& foreign : {".txt"s, ""s}) {
        const Verdict result = Classify(bytes, foreign);
        ASSERT_EQ(result.status, STATUS_MISMATCH) << "'" << foreign << "'";
        EXPECT_STREQ(Table()[result.entryIndex].extension, "zip") << Describe(result.entryIndex);
    }
}

INSTANTIATE_TEST_SUITE_P(
    GenericVariants, PlainZipHeader,
    ::testing::Values(ZipVariant{"Version10Stored", "\x0a\0\0\0\0\0"s},
                      ZipVariant{"Version10StoredAtMaximumLevel", "\x0a\0\x02\0\0\0"s},
                      ZipVariant{"Version45Streamed", "\x2d\0\x08\0\x08\0"s},
                      ZipVariant{"Version20", "\x14\0\0\0\x08\0"s},
                      ZipVariant{"Version20MaximumLevel", "\x14\0\x02\0\x08\0"s},
                      ZipVariant{"Version20DataDescriptor", "\x14\0\x08\0\x08\0"s},
                      ZipVariant{"OfficeFlags", "\x14\0\x06\0\x08\0"s},
                      ZipVariant{"JavaWriterFlags", "\x14\0\x08\x08\x08\0"s},
                      ZipVariant{"Version63Utf8Names", "\x3f\0\0\x08\x08\0"s}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------- what must stay unknown

struct Unknown {
    const char* name;
    std::string bytes;
};

void PrintTo(const Unknown& u, std::ostream* os) { *os << u.name; }

class StaysUnknown : public ShippedTable, public ::testing::WithParamInterface<Unknown> {};

TEST_P(StaysUnknown, NoEntryFits) {
    const Verdict result = Classify(GetParam().bytes, ".txt");
    EXPECT_EQ(result.status, STATUS_UNKNOWN) << (result.entryIndex >= 0 ? Describe(result.entryIndex) : "");
}

INSTANTIATE_TEST_SUITE_P(
    OrdinaryText, StaysUnknown,
    ::testing::Values(
        Unknown{"Empty", ""},
        Unknown{"Prose", "Hello, world. This is a note.\n"},
        Unknown{"Markdown", "# Heading\n\nSome text\n"},
        Unknown{"XmlDeclaration", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns="},
        Unknown{"Utf8ByteOrderMark", "\xef\xbb\xbfText after a byte order mark"},
        Unknown{"Utf16ByteOrderMark", "\xff\xfeT\0e\0x\0t\0"s},
        Unknown{"Json", "{\n  \"name\": \"value\"\n}\n"},
        Unknown{"CSource", "/* header */\n#include <stdio.h>\nint main(void) { return 0; }\n"},
        Unknown{"Ini", "[section]\nkey=value\n"},
        Unknown{"Csv", "name,value\n1,2\n"},
        Unknown{"HtmlWithoutDoctype", "<html>\n<body>\n"},
        Unknown{"TexDirective", "%!TEX program = xelatex\n\\documentclass{article}\n"},
        Unknown{"Yaml", "---\nkey: true\n"},
        Unknown{"BlankLines", "\n\n\n"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    AmbiguousOrUnreachable, StaysUnknown,
    ::testing::Values(
        Unknown{"Zeros", std::string(64, '\0')},
        // Targa has no signature; its type-2 header must not pass for a cursor.
        Unknown{"Targa", "\0\0\x02\0\0\0\0\0\0\0\0\0\x20\0\x20\0\x18\x20"s}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------- the programs of this system

// Programs and scripts in the system's program folders carry no extension,
// though many have a dot in their names ("ld.bfd", "python3.11"); none may be
// flagged. Only ELF files and scripts are judged: the others are not ours.
TEST_F(ShippedTable, SystemProgramsAreNotFlagged) {
    int judged = 0;
    for (const char* folder : {"/usr/bin", "/usr/sbin", "/usr/libexec"}) {
        std::error_code error;
        for (const auto& item : std::filesystem::directory_iterator(folder, error)) {
            const std::u8string text = item.path().filename().u8string();
            const std::string name(text.begin(), text.end());
            const std::string path = std::string(folder) + "/" + name;
            if (!item.is_regular_file(error)) continue;
            std::ifstream in(item.path(), std::ios::binary);
            char bytes[kLeadingBytes];
            in.read(bytes, kLeadingBytes);
            const std::string leading(bytes, static_cast<size_t>(in.gcount()));
            if (leading.rfind("\x7f" "ELF", 0) != 0 && leading.rfind("#!", 0) != 0) continue;
            ++judged;
            EXPECT_NE(Classify(leading, PathExtension(name)).status, STATUS_MISMATCH) << path;
        }
    }
    if (judged == 0) GTEST_SKIP() << "no programs found in /usr/bin or /usr/sbin";
}

}  // namespace
