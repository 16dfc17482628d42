// The window in the user's language: the catalogue quorvane.mo of the
// language the system prefers (LANGUAGE, LC_ALL, LC_MESSAGES, LANG; on
// Windows the user's display language), and English, the texts' own
// language, when there is none.
#pragma once

// Once, before the first window: loads the catalogue and hands the core its translators.
void InstallTranslations();
