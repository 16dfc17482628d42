#include "cli/usage.h"

// Where the table and the journal are looked for differs between the systems.
#ifdef _WIN32
#define USAGE_DATA_PLACES \
    "  --data FILE  load this signature table; without it the table is\n" \
    "               %APPDATA%\\Quorvane\\Quorvane.dat, else the one beside the\n" \
    "               program; a Quorvane.dat in the current folder is used only\n" \
    "               when named here\n"
#define USAGE_JOURNAL_PLACE \
    "JOURNAL: every rename is appended to %LOCALAPPDATA%\\Quorvane\\renames.log,\n" \
    "one line per rename of five tab-separated\n"
#else
#define USAGE_DATA_PLACES \
    "  --data FILE  load this signature table; without it the table is\n" \
    "               $XDG_CONFIG_HOME/quorvane/Quorvane.dat (~/.config when unset),\n" \
    "               else the installed one (../share/quorvane/ beside the\n" \
    "               program); a Quorvane.dat in the current folder is used only\n" \
    "               when named here\n"
#define USAGE_JOURNAL_PLACE \
    "JOURNAL: every rename is appended to $XDG_STATE_HOME/quorvane/renames.log\n" \
    "(~/.local/state when unset), one line per rename of five tab-separated\n"
#endif

const char kUsage[] =
    "Usage: quorvane-check [-r] [--rename [--dry-run]] [-0|--json] [--first-64-bytes] [--data FILE] PATH...\n"
    "       quorvane-check --undo [RUN]\n"
    "       quorvane-check --lint [FILE]\n"
    "\n"
    "Judges each file by its first 64 bytes against the signature table and\n"
    "(for ZIP, Office, Matroska, PE, ELF, TIFF raw, ID3-tagged audio and scripts)\n"
    "by a second, bounded look inside that names the exact member of the family,\n"
    "and prints one line per path: the verdict (unknown, mismatch, match, folder),\n"
    "a tab, the path, a tab, and the expected type (\"Type; ext\", empty when\n"
    "there is none). A path that cannot be judged (missing, a dangling link,\n"
    "unreadable, a name too long) prints \"error\", the path and the system's\n"
    "reason instead.\n"
    "\n"
    "  -r           descend into folders and judge the files they hold\n"
    "               (without it a folder is judged as a folder)\n"
    "  --rename     give each mis-named file the proposed extension, never\n"
    "               overwriting another file; prints \"renamed\", the old and the\n"
    "               new path; failures go to standard error and the run goes on.\n"
    "               Each rename is journalled (see JOURNAL below)\n"
    "  --dry-run    with --rename: rename nothing; print \"would-rename\", the old\n"
    "               and the new path, or \"would-fail\", the old and the new path\n"
    "               and the reason when the new name is taken\n"
    "  --undo [RUN] take back the renames of run RUN (when omitted, the newest\n"
    "               run not yet taken back that is no undo itself), newest first,\n"
    "               never overwriting a file; prints \"undone\", the path taken\n"
    "               back and the path restored. A file renamed again, replaced,\n"
    "               changed, deleted, in another folder now, or whose old name\n"
    "               is taken is left alone and named on standard error, as are\n"
    "               journal lines that cannot be read. The undo is a run of its\n"
    "               own: named by its id, it can be undone too\n"
    "  -0, --null   end each record with a NUL byte instead of a newline\n"
    "  --json       print one JSON object per line instead: \"verdict\", \"path\",\n"
    "               \"type\", \"extension\", \"proposed_name\" (null when the name\n"
    "               fits), \"new_path\" after a rename, \"reason\" after an error.\n"
    "               A name that is not valid UTF-8 is given with U+FFFD for\n"
    "               each invalid byte, plus \"path_bytes\" (\"new_path_bytes\",\n"
    "               \"proposed_name_bytes\") holding the raw bytes in hex\n"
    "  --first-64-bytes\n"
    "               judge by the first 64 bytes alone, without the second look\n"
    USAGE_DATA_PLACES

    "  --lint [FILE]\n"
    "               check a signature table instead (FILE, else the one found\n"
    "               as without --data): prints \"FILE:LINE: warning\" for each\n"
    "               line that loads but is probably a mistake; exit status 0\n"
    "               when there is none, 1 when there are some or the table is\n"
    "               defective\n"
    "  --readers N  for measuring only: read N files at once instead of a number\n"
    "               that follows the disk (32 at the start, up to 256 on a slow\n"
    "               network share)\n"
    "  --version    print the program's version\n"
    "  --help       show this text\n"
    "\n"
    "With -r and standard error a terminal, a progress count (files judged and\n"
    "the rate) is kept on standard error and cleared at the end.\n"
    "\n"
    USAGE_JOURNAL_PLACE

    "fields: UTC time, run id, folder, old name, new name. Bytes below 0x21,\n"
    "'%', 0x7F and bytes from 0x80 on are written as %XX (hex). A line that\n"
    "starts with '#' is no record: the version line, or the note before a\n"
    "record that tells undo which file and folder it renamed.\n"
    "\n"
    "Messages stay in English whatever the locale, so that scripts can read\n"
    "them; only the signature table's own messages are the table's.\n"
    "\n"
    "Exit status: 0 every path judged, 1 the signature table is defective,\n"
    "2 usage error, 3 --rename could not rename some file (--undo: could not\n"
    "take back some rename, or a damaged journal line may have held one),\n"
    "4 some path could not be judged (or a folder under -r could not be read),\n"
    "5 the output could not be written, 6 some rename could not be journalled.\n"
    "When several apply, the highest wins.\n";
