// Writes the keysets of a demonstration folder, then prints the sample
// keyset's name and what it assigns, one line per control, so that a script
// can start a target program of that name and check what it receives:
//   quorbel-sample-keysets FOLDER
//   keyset<TAB>Scribble
//   59<TAB>Play<TAB>space
#include <cstdio>

#include "packaging/SampleKeysets.h"
#include "surface/ControlCatalogue.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: quorbel-sample-keysets FOLDER\n", stderr);
    return 2;
  }
  if (!quorbel::sample::WriteSampleKeysets(argv[1])) {
    std::fprintf(stderr, "quorbel-sample-keysets: cannot write the keysets of %s\n", argv[1]);
    return 1;
  }
  const auto keyset = quorbel::sample::kSampleProgram;
  std::printf("keyset\t%.*s\n", static_cast<int>(keyset.size()), keyset.data());
  const quorbel::ControlCatalogue catalogue;
  for (const auto& assignment : quorbel::sample::SampleAssignments()) {
    std::printf("%d\t%s\t%.*s\n", assignment.control,
                catalogue.ControlName(assignment.control).c_str(),
                static_cast<int>(assignment.received.size()), assignment.received.data());
  }
  return 0;
}
