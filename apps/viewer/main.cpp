// tavlo-viewer FILE: shows a Tavlo document's preview grid in a window that
// follows the file as it changes.
#include <adwaita.h>

#include <clocale>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "ViewerWindow.h"
#include "xmltree/XML.h"

namespace {

struct Launch {
  std::filesystem::path file;
};

void activate(GApplication* app, gpointer data) {
  const auto* launch = static_cast<const Launch*>(data);
  GtkWidget* window = tavlo::viewer::newViewerWindow(ADW_APPLICATION(app), launch->file);
  gtk_window_present(GTK_WINDOW(window));
}

}  // namespace

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  std::setlocale(LC_NUMERIC, "C");
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::puts("Usage: tavlo-viewer FILE\nShows a Tavlo document's preview grid, live as the file changes.");
    return 0;
  }
  if (argc != 2 || argv[1][0] == '\0') {
    std::fputs("tavlo: usage: tavlo-viewer FILE\n", stderr);
    return 2;
  }
  // Standard output carries only the window's report lines.
  xmltree::setParseErrorSink([](std::string_view line) {
    std::fprintf(stderr, "tavlo: %.*s\n", static_cast<int>(line.size()), line.data());
  });
  // The file is the viewer's own argument, not one for the application to
  // open; every window is its own process, so documents never share one.
  Launch launch{std::filesystem::absolute(argv[1]).lexically_normal()};
  AdwApplication* app = adw_application_new("org.tavlo.Viewer", G_APPLICATION_NON_UNIQUE);
  g_signal_connect(app, "activate", G_CALLBACK(activate), &launch);
  char* programOnly[] = {argv[0], nullptr};
  const int status = g_application_run(G_APPLICATION(app), 1, programOnly);
  g_object_unref(app);
  return status;
}
