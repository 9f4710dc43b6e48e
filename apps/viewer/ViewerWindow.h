// The viewer's window: the grid of one document at the window's width, live
// as the file changes on disk.
#pragma once

#include <adwaita.h>

#include <filesystem>

namespace tavlo::viewer {

// Lines on standard output for tests and benchmarks (TAVLO_VIEWER_REPORT=1):
// "first-frame cpu MS ms", "shown grid WIDTH HEIGHT", "shown empty WIDTH HEIGHT",
// "shown error MESSAGE", "area X Y" (the grid's origin in the window),
// "copied TEXT".
void report(const char* format, ...) G_GNUC_PRINTF(1, 2);

// A new window showing `file`, for `app`.
GtkWidget* newViewerWindow(AdwApplication* app, const std::filesystem::path& file);

}  // namespace tavlo::viewer
