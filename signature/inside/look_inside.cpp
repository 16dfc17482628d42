#include "signature/inside/readers.h"

InsideMember LookInside(ByteSource& file, LeadingBytes lead) {
    // Each reader answers nothing unless its family's mark is in `lead`, so
    // the first that answers is the only one that could.
    for (auto* reader : {ZipMember, CompoundFileMember, MatroskaMember, PeMember, TiffRawMember, Id3Member,
                         ElfMember, ScriptMember}) {
        if (InsideMember member = reader(file, lead)) return member;
    }
    return std::nullopt;
}
