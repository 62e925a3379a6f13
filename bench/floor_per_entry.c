// The per-entry floor: the rename-only floor (floor_rename_only.c) plus the
// two system calls per entry that a careful renamer typically adds, so the
// benchmark shows what they cost:
//   - one lstat of every listed entry (to learn its kind, size and time), and
//   - one existence test of the new name before each rename.
//
//   floor_per_entry DIGITS EXTENSION       (run in the directory to renumber)
//
// Everything else is the rename-only floor's: readdir, a byte-order sort of
// the names, renameat2(RENAME_NOREPLACE) to the next free number.
#define _GNU_SOURCE
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>

static int CompareNames(const void* a, const void* b) {
  return strcmp(*(char* const*)a, *(char* const*)b);
}

static int HasExtension(const char* name, const char* extension) {
  const size_t nameLength = strlen(name);
  const size_t extensionLength = strlen(extension);
  return nameLength > extensionLength && name[nameLength - extensionLength - 1] == '.' &&
         strcmp(name + nameLength - extensionLength, extension) == 0;
}

int main(int argc, char** argv) {
  if (argc != 3) {
    fprintf(stderr, "usage: %s DIGITS EXTENSION\n", argv[0]);
    return 2;
  }
  const int digits = atoi(argv[1]);
  const char* extension = argv[2];

  DIR* dir = opendir(".");
  if (!dir) {
    perror("opendir");
    return 1;
  }
  size_t count = 0, room = 1024;
  char** names = malloc(room * sizeof *names);
  struct stat info;
  for (struct dirent* entry; (entry = readdir(dir)) != NULL;) {
    if (!HasExtension(entry->d_name, extension)) continue;
    // Added cost 1: one lstat per listed entry.
    if (fstatat(dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) continue;  // vanished
    if (count == room) names = realloc(names, (room *= 2) * sizeof *names);
    names[count++] = strdup(entry->d_name);
  }
  closedir(dir);
  qsort(names, count, sizeof *names, CompareNames);

  long number = 1;
  char newName[64];
  for (size_t i = 0; i < count; ++i) {
    for (;;) {
      snprintf(newName, sizeof newName, "%0*ld.%s", digits, number++, extension);
      // Added cost 2: an existence test before each rename.
      if (lstat(newName, &info) == 0) continue;
      if (renameat2(AT_FDCWD, names[i], AT_FDCWD, newName, RENAME_NOREPLACE) == 0) break;
      if (errno != EEXIST) {
        fprintf(stderr, "rename %s -> %s: %s\n", names[i], newName, strerror(errno));
        return 1;
      }
    }
  }
  return 0;
}
