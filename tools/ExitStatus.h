#pragma once

namespace lvx::host {

// Exit statuses of the lamivex program; documented in tools/README.md and in every --help text.
enum ExitStatus : int {
    kExitOk = 0,
    kExitDocument = 1,  // the document (or apply's input picture) could not be opened; nothing was written
    kExitUsage = 2,     // bad command line (unknown option, missing file, bad layer list, no such layer)
    kExitOutput = 3,    // an output directory or file could not be written
    kExitDecode = 4,    // the document opened but some images failed to decode; the others were written
    kExitPlugin = 5,    // a plug-in module or object failed: not registered, not loadable, a call refused
};

}  // namespace lvx::host
