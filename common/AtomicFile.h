#pragma once
// Writing a whole file safely: the content goes to a temporary name beside
// the file, is made durable and renamed over the file, so a crash leaves
// either the old file or the whole new one, never half of it. A file that
// does not exist yet is written unnamed in its folder and then linked under
// its name, with the same guarantee and one change of the folder less.
#include <string>
#include <sys/types.h>

// How far a written file is pushed to the disk: Durable files (settings,
// exports, catalogs' files) are synced before and after the rename; scratch
// files (the work files of page generation, rewritten for every page) are
// only renamed into place, still whole or absent after a crash of the program.
enum class TDurability { Durable, Scratch };

// Writes Content as FileName. An existing file keeps its permission bits; a
// new one gets NewFileMode (less the umask). Returns false when anything
// failed: then the file is unchanged and no temporary file is left.
// Inode, when given, receives the inode of the new file. The temporary name
// is ".<name>.<TempTag>-XXXXXX": a caller that must recognise what a killed
// process left behind gives a tag of its own.
bool WriteFileAtomically(const std::string& fileName, const std::string& content,
                         mode_t newFileMode = 0666, ino_t* inode = nullptr,
                         TDurability durability = TDurability::Durable, const char* tempTag = "tmp");
