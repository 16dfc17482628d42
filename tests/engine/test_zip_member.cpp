#include <gtest/gtest.h>
#include <zlib.h>

#include <string>
#include <vector>

#include "signature/inside/readers.h"
#include "reader_test_support.h"

namespace {

void Put16(std::string& out, uint32_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8 & 0xFF);
}
void Put32(std::string& out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}
void Put64(std::string& out, uint64_t value) {
    Put32(out, static_cast<uint32_t>(value));
    Put32(out, static_cast<uint32_t>(value >> 32));
}
void Patch32(std::string& out, size_t at, uint32_t value) {
    std::string bytes;
    Put32(bytes, value);
    out.replace(at, 4, bytes);
}

std::string Deflated(const std::string& data) {
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&stream, data.size()), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

struct Part {
    std::string name;
    std::string data;
    uint16_t method = 0;  // 8 deflates the data; any other is written as given
    uint16_t flags = 0;
};

struct Shape {
    std::string stub;  // before the archive, its offsets not adjusted
    std::string comment;
    bool zip64 = false;
};

// An archive of `parts`, offsets counted from the archive's own start.
std::string Zip(const std::vector<Part>& parts, const Shape& shape = {}) {
    std::string archive, directory;
    for (const Part& part : parts) {
        const std::string stored = part.method == 8 ? Deflated(part.data) : part.data;
        const uint32_t crc = crc32(0, reinterpret_cast<const Bytef*>(part.data.data()), part.data.size());
        const auto offset = static_cast<uint32_t>(archive.size());
        std::string common;
        Put16(common, part.flags), Put16(common, part.method), Put32(common, 0), Put32(common, crc);
        Put32(common, stored.size()), Put32(common, part.data.size()), Put16(common, part.name.size());
        archive += "PK\3\4", Put16(archive, 20), archive += common, Put16(archive, 0);
        archive += part.name + stored;
        directory += "PK\1\2", Put16(directory, 20), Put16(directory, 20), directory += common;
        Put16(directory, shape.zip64 ? 12 : 0), Put16(directory, 0), Put16(directory, 0), Put16(directory, 0);
        Put32(directory, 0), Put32(directory, shape.zip64 ? 0xFFFFFFFF : offset), directory += part.name;
        if (shape.zip64) Put16(directory, 1), Put16(directory, 8), Put64(directory, offset);
    }
    const uint64_t directoryOffset = archive.size();
    archive += directory;
    if (shape.zip64) {
        const uint64_t recordOffset = archive.size();
        archive += "PK\6\6", Put64(archive, 44), Put16(archive, 45), Put16(archive, 45), Put64(archive, 0);
        Put64(archive, parts.size()), Put64(archive, parts.size()), Put64(archive, directory.size());
        Put64(archive, directoryOffset);
        archive += "PK\6\7", Put32(archive, 0), Put64(archive, recordOffset), Put32(archive, 1);
    }
    const uint32_t count = shape.zip64 ? 0xFFFF : parts.size();
    archive += "PK\5\6", Put32(archive, 0), Put16(archive, count), Put16(archive, count);
    Put32(archive, shape.zip64 ? 0xFFFFFFFF : directory.size());
    Put32(archive, shape.zip64 ? 0xFFFFFFFF : directoryOffset);
    Put16(archive, shape.comment.size());
    return shape.stub + archive + shape.comment;
}

std::string ContentTypes(const std::string& mainType) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Types xmlns=\"http://schemas.openxmlformats.org/package/2006/"
           "content-types\"><Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package."
           "relationships+xml\"/><Default Extension=\"xml\" ContentType=\"application/xml\"/>"
           "<Override PartName=\"/main.xml\" ContentType=\"" + mainType + "\"/></Types>";
}

const std::string kDocxType = "application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml";
const std::string kPptxType = "application/vnd.openxmlformats-officedocument.presentationml.presentation.main+xml";

std::vector<Part> Docx() {
    return {{"[Content_Types].xml", ContentTypes(kDocxType), 8}, {"word/document.xml", "<w/>"}};
}
std::vector<Part> Jar() { return {{"META-INF/MANIFEST.MF", "Manifest-Version: 1.0\n", 8}, {"a/B.class", "\xCA\xFE"}}; }
std::vector<Part> Plain() { return {{"readme.txt", "hello", 8}, {"pictures/a.png", "\x89PNG"}}; }

// A plain archive with many entries, after `first`: a directory far over the budget.
std::string Crowded(std::vector<Part> first) {
    for (int i = 0; i < 3000; ++i) first.push_back({"folder/" + std::string(60, 'x') + std::to_string(i), ""});
    return Zip(first);
}

// The end record's field at `field` set to `value` (an archive without comment).
std::string WithEndField(std::string archive, size_t field, uint32_t value) {
    Patch32(archive, archive.size() - 22 + field, value);
    return archive;
}

// One entry whose name length in the directory reaches far past the directory's end.
std::string LongName() {
    std::string archive = Zip({{"a.txt", "a"}});
    archive[30 + 5 + 1 + 28 + 1] = '\x7F';
    return archive;
}

// An end record alone: an empty archive, or with `directorySize`, one naming the bytes before it.
std::string BareEndRecord(uint32_t directorySize) {
    std::string record = "PK\5\6";
    Put32(record, 0), Put16(record, directorySize ? 1 : 0), Put16(record, directorySize ? 1 : 0);
    Put32(record, directorySize), Put32(record, 0), Put16(record, 0);
    return record;
}

struct ZipCase {
    std::string name;
    std::string bytes;
    InsideMember expected;
};

std::vector<ZipCase> Cases() {
    Part encrypted{"[Content_Types].xml", ContentTypes(kDocxType), 8, 1};
    Part bzip2{"[Content_Types].xml", ContentTypes(kDocxType), 12};
    const std::string endless(8 * 1024 * 1024, ' ');
    const std::string docx = Zip(Docx());
    return {
        {"docx_from_deflated_content_types", docx, "docx"},
        {"xlsm_from_stored_content_types",
         Zip({{"[Content_Types].xml", ContentTypes("application/vnd.ms-excel.sheet.macroEnabled.main+xml")},
              {"xl/workbook.xml", "<w/>"}}),
         "xlsm"},
        {"pptx", Zip({{"[Content_Types].xml", ContentTypes(kPptxType), 8}}), "pptx"},
        {"odt_from_mimetype",
         Zip({{"mimetype", "application/vnd.oasis.opendocument.text"}, {"content.xml", "<o/>", 8}}), "odt"},
        {"epub_from_mimetype", Zip({{"mimetype", "application/epub+zip"}, {"META-INF/container.xml", "<c/>"}}), "epub"},
        {"jar", Zip(Jar()), "jar"},
        {"apk", Zip({{"AndroidManifest.xml", "\3\0"}, {"classes.dex", "dex\n035"}, {"META-INF/MANIFEST.MF", "M"}}),
         "apk"},
        {"aar", Zip({{"AndroidManifest.xml", "<manifest/>"}, {"classes.jar", ""}, {"R.txt", ""}}), "aar"},
        {"apk_of_resources_only", Zip({{"AndroidManifest.xml", "\3\0"}, {"META-INF/MANIFEST.MF", "M"}}), "apk"},
        {"whl", Zip({{"pkg/__init__.py", ""}, {"pkg-1.0.dist-info/WHEEL", "Wheel-Version: 1.0"}}), "whl"},
        {"nupkg_before_its_content_types",
         Zip({{"_rels/.rels", "<r/>"}, {"Pkg.nuspec", "<package/>"},
              {"[Content_Types].xml", ContentTypes("application/octet"), 8}}),
         "nupkg"},
        {"plain_zip", Zip(Plain()), "zip"},
        {"empty_archive", BareEndRecord(0), "zip"},
        {"zip64_records_and_extra_field", Zip(Docx(), Shape{"", "", true}), "docx"},
        {"prepended_stub", Zip(Jar(), Shape{"PK\x07\x08 a stub the offsets do not count", "", false}), "jar"},
        {"fake_end_record_in_comment", Zip(Jar(), Shape{"", "note " + BareEndRecord(10), false}), "jar"},
        {"fake_empty_archive_in_comment", Zip(Jar(), Shape{"", BareEndRecord(0), false}), "jar"},
        {"part_of_a_crowded_directory_names_apk",
         Crowded({{"AndroidManifest.xml", "\3\0"}, {"classes.dex", "dex\n035"}}), "apk"},
        {"no_zip_mark_at_the_start", "MZ" + docx, std::nullopt},
        {"truncated_end", docx.substr(0, docx.size() - 10), std::nullopt},
        {"truncated_half", docx.substr(0, docx.size() / 2), std::nullopt},
        {"directory_offset_past_the_end", WithEndField(docx, 16, 0x7FFFFFF0), std::nullopt},
        {"huge_entry_count", WithEndField(docx, 8, 0xFFFFFFFF), std::nullopt},
        {"crowded_plain_directory_is_not_known_plain", Crowded(Plain()), std::nullopt},
        {"crowded_jar_may_hide_a_more_specific_member", Crowded(Jar()), std::nullopt},
        {"encrypted_content_types", Zip({encrypted}), std::nullopt},
        {"content_types_in_unsupported_method", Zip({bzip2}), std::nullopt},
        {"inflate_bomb_named_by_its_beginning", Zip({{"[Content_Types].xml", ContentTypes(kDocxType) + endless, 8}}),
         "docx"},
        {"inflate_bomb_without_a_main_type",
         Zip({{"[Content_Types].xml", endless + ContentTypes(kDocxType), 8}}), std::nullopt},
        {"name_with_a_nul", Zip({{std::string("[Content_Types].xml\0", 20), ContentTypes(kDocxType)}}), std::nullopt},
        {"name_running_past_the_directory", LongName(), std::nullopt},
        {"unknown_mimetype", Zip({{"mimetype", "application/x-unknown"}}), std::nullopt},
        {"crowded_manifest_may_be_an_aar", Crowded({{"AndroidManifest.xml", "<manifest/>"}}), std::nullopt},
        {"jar_with_code_no_jar_has", Zip({{"META-INF/MANIFEST.MF", "M"}, {"classes.jar", ""}}), std::nullopt},
    };
}

void PrintTo(const ZipCase& c, std::ostream* os) { *os << c.name; }

class ZipMemberCase : public ::testing::TestWithParam<ZipCase> {};

TEST_P(ZipMemberCase, NamesTheMemberOrNothing) {
    const ZipCase& c = GetParam();
    EXPECT_EQ(LookAs(ZipMember, c.bytes), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Archives, ZipMemberCase, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<ZipCase>& info) { return info.param.name; });

}  // namespace
