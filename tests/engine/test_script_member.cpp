// The script reader: the language from the interpreter line, through env and
// version suffixes, and nothing for unknown interpreters and unclear lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "signature/inside/readers.h"
#include "reader_test_support.h"

namespace {

struct Case {
    const char* name;
    std::string bytes;
    InsideMember expected;
    friend void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }
};

// A first line that does not end within the 256 bytes read, after `start`.
std::string Unended(const std::string& start) { return start + std::string(300, 'x'); }

std::vector<Case> Cases() {
    const InsideMember nothing = std::nullopt;
    return {
        {"Bash", "#!/bin/bash\necho hi\n", "sh"},
        {"PlainSh", "#!/bin/sh", "sh"},
        {"ShWithOptions", "#!/bin/sh -eu\n", "sh"},
        {"SpaceAfterMark", "#! /usr/bin/perl -w\n", "pl"},
        {"TabsAfterMark", "#!\t\t/usr/bin/ruby\n", "rb"},
        {"PythonVersion", "#!/usr/bin/python3.11\n", "py"},
        {"PerlVersion", "#!/usr/local/bin/perl5.36.0\n", "pl"},
        {"Lua", "#!/usr/bin/lua5.4\n", "lua"},
        {"TclshVersion", "#!/usr/bin/tclsh8.6\n", "tcl"},
        {"Wish", "#!/usr/bin/wish\n", "tcl"},
        {"Php", "#!/usr/bin/php8.2 -q\n", "php"},
        {"Gawk", "#!/usr/bin/gawk -f\n", "awk"},
        {"Zsh", "#!/usr/bin/zsh\n", "sh"},
        {"Pwsh", "#!/usr/bin/pwsh -NoProfile\n", "ps1"},
        {"CrLfLineEnd", "#!/bin/bash\r\necho hi\r\n", "sh"},
        {"CrAtTheEndOfAFileWithoutLineEnd", "#!/usr/bin/python3\r", "py"},
        {"Env", "#!/usr/bin/env python3\n", "py"},
        {"EnvNodejs", "#!/usr/bin/env nodejs\n", "js"},
        {"EnvSplitString", "#!/usr/bin/env -S node --experimental-modules\n", "js"},
        {"EnvSplitStringJoined", "#!/usr/bin/env -Sruby -w\n", "rb"},
        {"EnvSplitStringLong", "#!/usr/bin/env --split-string=python3 -u\n", "py"},
        {"EnvIgnoreEnvironmentAndAssignments", "#!/usr/bin/env -i PATH=/bin LANG=C perl\n", "pl"},
        {"EnvUnset", "#!/usr/bin/env -u PYTHONPATH -- python3\n", "py"},
        {"EnvUnsetJoined", "#!/usr/bin/env -uPYTHONPATH python\n", "py"},
        {"EnvUnsetLong", "#!/usr/bin/env --unset PERL5LIB perl\n", "pl"},
        {"EnvDash", "#!/usr/bin/env - bash\n", "sh"},
        {"EnvClusteredFlags", "#!/usr/bin/env -iS lua\n", "lua"},
        {"UnendedLineWithWholeInterpreter", Unended("#!/bin/bash -c "), "sh"},
        {"UnendedLineWithWholeEnvProgram", Unended("#!/usr/bin/env python3 "), "py"},
        // Unknown interpreters and unclear lines: nothing.
        {"UnknownInterpreter", "#!/usr/bin/make -f\n", nothing},
        {"EnvUnknownProgram", "#!/usr/bin/env deno run\n", nothing},
        {"EnvWithoutProgram", "#!/usr/bin/env\n", nothing},
        {"EnvOnlyAssignments", "#!/usr/bin/env A=1 B=2\n", nothing},
        {"EnvUnknownOption", "#!/usr/bin/env -X python3\n", nothing},
        {"EnvUnsetWithoutProgram", "#!/usr/bin/env -u python3\n", nothing},
        {"NotAVersionSuffix", "#!/usr/bin/python3-config\n", nothing},
        {"ABasenameThatOnlyStartsLikeOne", "#!/usr/bin/shellcheck\n", nothing},
        {"EmptyLine", "#!\nbody\n", nothing},
        {"OnlyBlanks", "#!  \t \n", nothing},
        {"PathEndingInSlash", "#!/usr/bin/\n", nothing},
        {"NulInTheLine", std::string("#!/bin/sh\0\n", 11), nothing},
        {"UnendedInterpreterWord", "#!/" + std::string(300, 'a'), nothing},
        {"UnendedEnvBeforeItsProgram", Unended("#!/usr/bin/env -S A=1 "), nothing},
        {"NotAScript", "#/bin/sh\n", nothing},
    };
}

class ScriptMemberTest : public ::testing::TestWithParam<Case> {};

TEST_P(ScriptMemberTest, NamesTheLanguageOrNothing) {
    const Case& c = GetParam();
    EXPECT_EQ(LookAs(ScriptMember, c.bytes), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Shapes, ScriptMemberTest, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
