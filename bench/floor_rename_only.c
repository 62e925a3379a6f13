// The rename-only floor: the least work that renumbers a directory safely,
// the yardstick the benchmark divides every contestant's time by.
//
//   floor_rename_only DIGITS EXTENSION...  (run in the directory to renumber)
//
// Lists the current directory's *.EXTENSION entries with readdir (of every
// extension given, in one listing), sorts the names by their bytes (for
// fixed-width camera names such as IMG_000001.jpg that is the order a file
// manager shows), then renames each entry with one renameat2(RENAME_NOREPLACE)
// to the next number of its extension, zero-padded to DIGITS, moving on to
// the number after when the name is taken (EEXIST). Nothing else touches the
// file system: no stat of an entry, no existence test. With several
// extensions it makes, in one run, the renames of a directory whose pictures
// each have a raw and a sidecar.
#define _GNU_SOURCE
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

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
  if (argc < 3) {
    fprintf(stderr, "usage: %s DIGITS EXTENSION...\n", argv[0]);
    return 2;
  }
  const int digits = atoi(argv[1]);
  const int kinds = argc - 2;
  char** extensions = argv + 2;

  DIR* dir = opendir(".");
  if (!dir) {
    perror("opendir");
    return 1;
  }
  size_t count = 0, room = 1024;
  char** names = malloc(room * sizeof *names);
  for (struct dirent* entry; (entry = readdir(dir)) != NULL;) {
    int kind = 0;
    while (kind < kinds && !HasExtension(entry->d_name, extensions[kind])) ++kind;
    if (kind == kinds) continue;
    if (count == room) names = realloc(names, (room *= 2) * sizeof *names);
    names[count++] = strdup(entry->d_name);
  }
  closedir(dir);
  qsort(names, count, sizeof *names, CompareNames);

  long* numbers = calloc(kinds, sizeof *numbers);
  char newName[64];
  for (size_t i = 0; i < count; ++i) {
    int kind = 0;
    while (!HasExtension(names[i], extensions[kind])) ++kind;
    for (;;) {
      snprintf(newName, sizeof newName, "%0*ld.%s", digits, ++numbers[kind], extensions[kind]);
      if (renameat2(AT_FDCWD, names[i], AT_FDCWD, newName, RENAME_NOREPLACE) == 0) break;
      if (errno != EEXIST) {
        fprintf(stderr, "rename %s -> %s: %s\n", names[i], newName, strerror(errno));
        return 1;
      }
    }
  }
  return 0;
}
