// The PE reader: program, library, control panel item, driver or EFI image,
// and nothing for DOS programs and damaged headers, sections or name tables.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "signature/inside/readers.h"
#include "reader_test_support.h"

namespace {

constexpr uint16_t kExecutable = 0x0002, kLargeAddressAware = 0x0020, kDll = 0x2000;
constexpr uint16_t kGui = 2, kConsole = 3, kNative = 1, kEfiApplication = 10, kEfiRuntimeDriver = 12;

// Where the builder puts things: the PE header at 0x40, one section whose
// data (RVA 0x1000) starts at file offset 0x200 with the export directory,
// its name pointers right after it, and the import descriptors at RVA 0x1800.
constexpr size_t kPeAt = 0x40, kOptionalAt = kPeAt + 24, kSectionDataAt = 0x200;
constexpr size_t kNameCountAt = kSectionDataAt + 24, kNamePointersAt = kSectionDataAt + 40;
constexpr size_t kImportDescriptorsAt = kSectionDataAt + 0x800;
constexpr uint32_t kSectionRva = 0x1000, kSectionSize = 0x1000;

void Put(std::string& bytes, size_t at, uint32_t value, size_t width = 4) {
    if (bytes.size() < at + width) bytes.resize(at + width);
    for (size_t i = 0; i < width; ++i) bytes[at + i] = static_cast<char>(value >> 8 * i & 0xFF);
}

struct Pe {
    bool plus = true;  // PE32+, else PE32
    uint16_t characteristics = kExecutable | kLargeAddressAware;
    uint16_t subsystem = kConsole;
    std::vector<std::string> exports{};  // names in table order
    bool exportTable = false;          // one even when it names nothing
    std::vector<std::string> imports{};  // library names

    size_t ExportEntryAt() const { return kOptionalAt + (plus ? 112 : 96); }

    std::string Build() const {
        std::string bytes(kSectionDataAt, '\0');
        bytes[0] = 'M';
        bytes[1] = 'Z';
        Put(bytes, 0x3C, kPeAt);
        bytes.replace(kPeAt, 4, std::string("PE\0\0", 4));
        const uint16_t optionalSize = plus ? 240 : 224;
        Put(bytes, kPeAt + 4, plus ? 0x8664 : 0x14C, 2);
        Put(bytes, kPeAt + 6, 1, 2);
        Put(bytes, kPeAt + 20, optionalSize, 2);
        Put(bytes, kPeAt + 22, characteristics, 2);
        Put(bytes, kOptionalAt, plus ? 0x20B : 0x10B, 2);
        Put(bytes, kOptionalAt + 68, subsystem, 2);
        Put(bytes, kOptionalAt + (plus ? 108 : 92), 16);

        std::string data(kSectionSize, '\0');
        if (exportTable || !exports.empty()) {
            Put(data, 24, static_cast<uint32_t>(exports.size()));
            Put(data, 32, kSectionRva + 40);
            size_t nameAt = 40 + 4 * exports.size();
            for (size_t i = 0; i < exports.size(); ++i) {
                Put(data, 40 + 4 * i, static_cast<uint32_t>(kSectionRva + nameAt));
                data.replace(nameAt, exports[i].size() + 1, exports[i].c_str(), exports[i].size() + 1);
                nameAt += exports[i].size() + 1;
            }
            Put(bytes, ExportEntryAt(), kSectionRva);
            Put(bytes, ExportEntryAt() + 4, static_cast<uint32_t>(nameAt));
        }
        if (!imports.empty()) {
            const size_t descriptorsAt = kImportDescriptorsAt - kSectionDataAt;
            size_t nameAt = descriptorsAt + 20 * (imports.size() + 1);
            for (size_t i = 0; i < imports.size(); ++i) {
                Put(data, descriptorsAt + 20 * i + 12, static_cast<uint32_t>(kSectionRva + nameAt));
                data.replace(nameAt, imports[i].size() + 1, imports[i].c_str(), imports[i].size() + 1);
                nameAt += imports[i].size() + 1;
            }
            Put(bytes, ExportEntryAt() + 8, static_cast<uint32_t>(kSectionRva + descriptorsAt));
            Put(bytes, ExportEntryAt() + 12, static_cast<uint32_t>(20 * (imports.size() + 1)));
        }
        const size_t section = kOptionalAt + optionalSize;
        bytes.replace(section, 5, ".data");
        Put(bytes, section + 8, kSectionSize);
        Put(bytes, section + 12, kSectionRva);
        Put(bytes, section + 16, kSectionSize);
        Put(bytes, section + 20, kSectionDataAt);
        return bytes + data;
    }
};

std::string Patched(std::string bytes, size_t at, uint32_t value, size_t width = 4) {
    Put(bytes, at, value, width);
    return bytes;
}

struct Case {
    const char* name;
    std::string bytes;
    InsideMember expected;
    friend void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }
};

std::vector<Case> Cases() {
    const InsideMember nothing = std::nullopt;
    const uint16_t dll = kExecutable | kDll;
    const std::vector<std::string> panelExports = {"?Init@@YAXXZ", "AddNumbers", "CPlApplet", "DllMain"};
    const std::string panel = Pe{.characteristics = dll, .exports = panelExports}.Build();
    const std::string driver = Pe{.subsystem = kNative, .imports = {"ntoskrnl.exe", "HAL.dll"}}.Build();
    std::string dosOnly(128, '\0');
    dosOnly[0] = 'M';
    dosOnly[1] = 'Z';
    return {
        {"ConsoleProgram", Pe{}.Build(), "exe"},
        {"GuiProgramPe32", Pe{.plus = false, .subsystem = kGui}.Build(), "exe"},
        {"LibraryWithoutExports", Pe{.characteristics = dll}.Build(), "dll"},
        {"LibraryExportingOthers", Pe{.characteristics = dll, .exports = {"Alpha", "DllMain", "Zeta"}}.Build(), "dll"},
        {"LibraryExportingByOrdinalOnly", Pe{.characteristics = dll, .exportTable = true}.Build(), "dll"},
        {"ControlPanelItem", Pe{.characteristics = dll, .exports = {"CPlApplet"}}.Build(), "cpl"},
        {"ControlPanelItemAmongOtherExports", panel, "cpl"},
        {"ControlPanelItemPe32", Pe{.plus = false, .characteristics = dll, .exports = panelExports}.Build(), "cpl"},
        {"Driver", driver, "sys"},
        {"DriverWithoutImports", Pe{.subsystem = kNative}.Build(), "sys"},
        {"NativeProgram", Pe{.subsystem = kNative, .imports = {"NTDLL.DLL"}}.Build(), "exe"},
        {"EfiApplication", Pe{.subsystem = kEfiApplication}.Build(), "efi"},
        {"EfiRuntimeDriver", Pe{.plus = false, .subsystem = kEfiRuntimeDriver}.Build(), "efi"},
        {"EfiImageMarkedLibrary", Pe{.characteristics = dll, .subsystem = kEfiRuntimeDriver}.Build(), "efi"},
        // Not a PE image, or one out of shape: nothing.
        {"NotMz", "ZM" + Pe{}.Build().substr(2), nothing},
        {"DosProgramOnly", dosOnly, nothing},
        {"PeHeaderPastTheEnd", Patched(Pe{}.Build(), 0x3C, 0x100000), nothing},
        {"PeOffsetNegative", Patched(Pe{}.Build(), 0x3C, 0xFFFFFF00), nothing},
        {"NoPeSignature", Patched(Pe{}.Build(), kPeAt, 0x5850), nothing},
        {"RomImageMagic", Patched(Pe{}.Build(), kOptionalAt, 0x107, 2), nothing},
        {"OptionalHeaderTooSmall", Patched(Pe{}.Build(), kPeAt + 20, 64, 2), nothing},
        {"SectionTableBeyondTheFile", Patched(Pe{}.Build().substr(0, kSectionDataAt), kPeAt + 6, 20, 2), nothing},
        {"SectionCountHuge", Patched(Pe{}.Build(), kPeAt + 6, 0xFFFF, 2), nothing},
        {"NotAnExecutableImage", Patched(Pe{}.Build(), kPeAt + 22, kDll, 2), nothing},
        {"UnknownSubsystem", Pe{.subsystem = 0}.Build(), nothing},
        {"ExportsOutsideEverySection", Patched(panel, Pe{}.ExportEntryAt(), 0x9000), nothing},
        {"NamePointersOutsideEverySection", Patched(panel, kSectionDataAt + 32, 0x7FFFFFF0), nothing},
        {"NamePastTheSection", Patched(panel, kNamePointersAt + 4, kSectionRva + kSectionSize + 16), nothing},
        // The second name pointer points back at the first name.
        {"NamePointersLooping", Patched(panel, kNamePointersAt + 4, kSectionRva + 40 + 4 * 4), nothing},
        {"NamesOutOfOrder", Pe{.characteristics = dll, .exports = {"Beta", "Alpha", "CPlApplet"}}.Build(), nothing},
        {"NameCountHuge", Patched(panel, kNameCountAt, 0xFFFFFFFF), nothing},
        {"SectionDataCutShort", panel.substr(0, kNamePointersAt + 16), nothing},
        {"ImportNamePastTheEnd", Patched(driver, kImportDescriptorsAt + 12, 0x50000), nothing},
    };
}

class PeMemberTest : public ::testing::TestWithParam<Case> {};

TEST_P(PeMemberTest, NamesTheImageKindOrNothing) {
    const Case& c = GetParam();
    EXPECT_EQ(LookAs(PeMember, c.bytes), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Shapes, PeMemberTest, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
