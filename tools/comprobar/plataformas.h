// comprobar --formato vpl|gradescope: a student's sources checked inside a course platform's
// own grader, the verdict in the platform's format.
#ifndef COMPROBAR_PLATAFORMAS_H
#define COMPROBAR_PLATAFORMAS_H

#include <string>

#include "comprobar.h"

// What the platform run is told besides the settings.
struct PlatformRun {
    std::string format;         // "vpl" or "gradescope"
    fs::path submission;        // the folder of the student's sources
    fs::path results;           // gradescope: where results.json goes
    bool deleteCases = false;   // the cases' folders go once loaded: the program never sees them
};

// Loads the cases (and deletes them when asked), compiles the sources of the submission into
// executable, checks it and tells the platform. Returns 0 when the verdict was told.
int checkOnPlatform(const PlatformRun &platform, const std::string &program, const fs::path &executable,
                    Settings settings);

#endif
