#pragma once

class Upgrade_target_list;

// The name of the script, in the target list's folder.
extern const char* const upgrade_script_name;

// Writes "TessarynUpgrade.xml" for the targets: the Script element with its
// Debug and Report files, then for each NAME of a known kind of slave ECU
// its Firmware elements, each with the NAME's fields as a Name_mask. NAMEs
// of unknown kinds are left out with a line on the debug output. The
// document is written beside the old script and takes its place only once
// it is complete and synced: false, with the old script untouched, when the
// file cannot be made or any write fails.
bool write_upgrade_script_file(const Upgrade_target_list& targets);
