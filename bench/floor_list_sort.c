// The list-and-sort floor: what any renumbering of a directory must do
// before it knows whether anything needs a new name, and nothing more. The
// benchmark divides a re-run over a directory numbered before, where almost
// nothing moves, by this program's time.
//
//   floor_list_sort EXTENSION              (run in the directory to renumber)
//
// Lists the current directory's *.EXTENSION entries with readdir and sorts
// the names by their bytes, as floor_rename_only.c does; renames nothing.
#include <dirent.h>
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
  if (argc != 2) {
    fprintf(stderr, "usage: %s EXTENSION\n", argv[0]);
    return 2;
  }
  const char* extension = argv[1];

  DIR* dir = opendir(".");
  if (!dir) {
    perror("opendir");
    return 1;
  }
  size_t count = 0, room = 1024;
  char** names = malloc(room * sizeof *names);
  for (struct dirent* entry; (entry = readdir(dir)) != NULL;) {
    if (!HasExtension(entry->d_name, extension)) continue;
    if (count == room) names = realloc(names, (room *= 2) * sizeof *names);
    names[count++] = strdup(entry->d_name);
  }
  closedir(dir);
  qsort(names, count, sizeof *names, CompareNames);
  // The first and last names, so that the work cannot be left out.
  if (count > 0 && names[0][0] == '\0' && names[count - 1][0] == '\0') return 1;
  return 0;
}
