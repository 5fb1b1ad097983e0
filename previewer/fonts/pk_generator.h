// Making PK fonts the document lacks: the previewer starts the generator
// MAKEPK.EXE beside itself once per load run and waits for it to end.
#pragma once

#include <string>

namespace mox {

struct FontDocument;
struct Options;

// The generator's file name beside the previewer: "MAKEPK.EXE" (the native
// build's own generator is "makepk").
std::string PkGeneratorName();

// Starts the generator for the PK path template as the load run holds it
// (still with "$d" and with its trailing separator). 0 when the generator
// was started and has ended; 1 when it could not be started (after a
// message) or the user cancelled it (which stops it). The document's file is closed first so that
// the generator can read it.
int RunPkGenerator(FontDocument& doc, const std::string& pk_path_template);

// The same with the template of the document's options, a separator
// appended as the load run appends it.
int RunPkGenerator(FontDocument& doc);

// The generator's path: the previewer's program path with everything after
// its last "\\" or "/" replaced by "MAKEPK.EXE".
std::string PkGeneratorPath(const Options& options);

// The generator's command line for the document (its path, then
// " -C -E -R%0.2lfx%0.2lf -M%ld -P%s %s", with "-F" and the folders of VF
// and TFM files in quotes before -P when the options name them).
std::string PkGeneratorCommandLine(const FontDocument& doc, const std::string& pk_path_template);

// A path as the generator gets it: absolute, "\\" turned into "/", "." and
// ".." resolved; current_directory completes a relative one (the current
// directory of the path's drive on Windows).
std::string AbsoluteForwardPath(const std::string& path, const std::string& current_directory);

}  // namespace mox
