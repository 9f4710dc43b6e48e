#include "ViewerWindow.h"

#include <sys/resource.h>

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "MerrinColorUtils/Clipboard.h"
#include "TavloData/MerrinColorProjectItem.h"
#include "ViewerDocument.h"

namespace tavlo::viewer {

namespace fs = std::filesystem;

void report(const char* format, ...) {
  static const bool enabled = [] {
    const char* value = std::getenv("TAVLO_VIEWER_REPORT");
    return value && *value && std::string(value) != "0";
  }();
  if (!enabled) return;
  va_list args;
  va_start(args, format);
  std::vprintf(format, args);
  va_end(args);
  std::putchar('\n');
  std::fflush(stdout);
}

namespace {

// Editors save in bursts (write, rename, change attributes): one reload
// after the burst settles, well within a second of the save.
constexpr guint reloadDelayMilliseconds = 60;

// The desktop's clipboard behind the colour module's general clipboard.
class DesktopClipboard final : public mcu::Clipboard {
 public:
  explicit DesktopClipboard(GdkClipboard* clipboard) : clipboard_(clipboard) {}
  void clearContents() override { text_.reset(); }
  void setString(const std::string& text) override {
    text_ = text;
    gdk_clipboard_set_text(clipboard_, text.c_str());
  }
  // Only what this process copied: reading the desktop's clipboard is asynchronous.
  std::optional<std::string> string() const override { return text_; }

 private:
  GdkClipboard* clipboard_;
  std::optional<std::string> text_;
};

struct Viewer {
  explicit Viewer(fs::path file) : document(std::move(file)) {}
  ViewerDocument document;

  GtkWidget* window = nullptr;
  GtkWidget* stack = nullptr;
  GtkWidget* status = nullptr;
  GtkWidget* area = nullptr;
  GtkWidget* scroller = nullptr;
  // As tall as the grid: the scrolled window scrolls it, the area beneath
  // draws the band it uncovers.
  GtkWidget* spacer = nullptr;
  GtkWidget* menu = nullptr;
  GtkAdjustment* vadjustment = nullptr;
  GFileMonitor* fileMonitor = nullptr;
  GFileMonitor* folderMonitor = nullptr;
  guint reloadSource = 0;
  std::optional<double> pendingScroll;
  bool firstFrameReported = false;

  double width = 0;
  double height = 0;
  // The tile under the pointer, and the one last clicked: Ctrl+C copies the first, else the second.
  MerrinColorProjectItemPtr hovered;
  MerrinColorProjectItemPtr clicked;

  ~Viewer() {
    if (reloadSource) g_source_remove(reloadSource);
    for (GFileMonitor* monitor : {fileMonitor, folderMonitor})
      if (monitor) {
        g_file_monitor_cancel(monitor);
        g_object_unref(monitor);
      }
  }
};

Viewer* viewerOf(gpointer data) {
  return static_cast<Viewer*>(data);
}

double scrollTop(const Viewer& v) {
  return v.vadjustment ? gtk_adjustment_get_value(v.vadjustment) : 0;
}

// The grid's height at the area's width goes to the spacer, so the scroll
// range follows every reflow.
void updateContentSize(Viewer& v) {
  if (v.width <= 0) return;
  const double content = v.document.contentHeight(v.width);
  int before = 0;
  gtk_widget_get_size_request(v.spacer, nullptr, &before);
  const int height = static_cast<int>(std::ceil(content));
  gtk_widget_set_size_request(v.spacer, -1, height);
  // The scroll range changes only with the height; at the same height the
  // position kept over a reload goes back at once.
  if (height == before && v.pendingScroll) {
    gtk_adjustment_set_value(v.vadjustment, *v.pendingScroll);
    v.pendingScroll.reset();
  }
  if (v.document.isShowingGrid())
    report("shown %s %.0f %.0f", v.document.isEmpty() ? "empty" : "grid", v.width, content);
}

void showDocument(Viewer& v) {
  if (v.document.isShowingGrid()) {
    gtk_stack_set_visible_child_name(GTK_STACK(v.stack), "grid");
    updateContentSize(v);
  } else {
    adw_status_page_set_description(ADW_STATUS_PAGE(v.status), v.document.error().value_or("").c_str());
    gtk_stack_set_visible_child_name(GTK_STACK(v.stack), "error");
    report("shown error %s", v.document.error().value_or("").c_str());
  }
  v.hovered.reset();
  v.clicked.reset();
  gtk_widget_queue_draw(v.area);
}

void reload(Viewer& v) {
  // The scroll position survives the reload; it is put back once the new
  // grid's height has reached the scrolled window.
  if (v.document.isShowingGrid()) v.pendingScroll = scrollTop(v);
  v.document.reload();
  showDocument(v);
}

gboolean reloadLater(gpointer data) {
  Viewer& v = *viewerOf(data);
  v.reloadSource = 0;
  reload(v);
  return G_SOURCE_REMOVE;
}

void fileChanged(GFileMonitor*, GFile* file, GFile* other, GFileMonitorEvent event, gpointer data) {
  Viewer& v = *viewerOf(data);
  if (event == G_FILE_MONITOR_EVENT_ATTRIBUTE_CHANGED || event == G_FILE_MONITOR_EVENT_PRE_UNMOUNT) return;
  // The folder's monitor reports every file in it: only ours counts, under
  // either of its names in a rename.
  const std::string name = v.document.file().filename().string();
  auto isOurs = [&](GFile* f) {
    if (!f) return false;
    char* base = g_file_get_basename(f);
    const bool ours = base && name == base;
    g_free(base);
    return ours;
  };
  if (!isOurs(file) && !isOurs(other)) return;
  if (v.reloadSource) g_source_remove(v.reloadSource);
  v.reloadSource = g_timeout_add(reloadDelayMilliseconds, reloadLater, &v);
}

GFileMonitor* watch(Viewer& v, GFile* target, bool folder) {
  GError* error = nullptr;
  GFileMonitor* monitor = folder
                              ? g_file_monitor_directory(target, G_FILE_MONITOR_WATCH_MOVES, nullptr, &error)
                              : g_file_monitor_file(target, G_FILE_MONITOR_WATCH_MOVES, nullptr, &error);
  if (!monitor) {
    // Without a monitor the window still shows the document, only not live.
    std::fprintf(stderr, "tavlo: cannot watch '%s' for changes: %s\n", g_file_peek_path(target),
                 error ? error->message : "unknown error");
    g_clear_error(&error);
    return nullptr;
  }
  g_file_monitor_set_rate_limit(monitor, 100);
  g_signal_connect(monitor, "changed", G_CALLBACK(fileChanged), &v);
  return monitor;
}

// ---------------------------------------------------------------- drawing

void drawGrid(GtkDrawingArea*, cairo_t* cr, int width, int height, gpointer data) {
  Viewer& v = *viewerOf(data);
  const double top = scrollTop(v);
  cairo_translate(cr, 0, -top);
  v.document.draw(cr, width, height,
                  hostkit::Rect{0, top, static_cast<double>(width), static_cast<double>(height)});
}

void areaResized(GtkDrawingArea*, int width, int height, gpointer data) {
  Viewer& v = *viewerOf(data);
  v.height = height;
  if (v.width == width) return;
  v.width = width;
  updateContentSize(v);
  // The area's origin in the window's surface, which includes the frame
  // the window draws around itself.
  double x = 0, y = 0, frameX = 0, frameY = 0;
  gtk_native_get_surface_transform(GTK_NATIVE(v.window), &frameX, &frameY);
  if (gtk_widget_translate_coordinates(v.area, v.window, 0, 0, &x, &y))
    report("area %.0f %.0f", x + frameX, y + frameY);
}

void scrolled(GtkAdjustment* adjustment, gpointer data) {
  report("scrolled %.0f", gtk_adjustment_get_value(adjustment));
  gtk_widget_queue_draw(viewerOf(data)->area);
}

void scrollRangeChanged(GtkAdjustment* adjustment, gpointer data) {
  Viewer& v = *viewerOf(data);
  if (!v.pendingScroll) return;
  const double wanted = *v.pendingScroll;
  v.pendingScroll.reset();
  gtk_adjustment_set_value(adjustment, wanted);
}

void afterPaint(GdkFrameClock* clock, gpointer data) {
  Viewer& v = *viewerOf(data);
  if (v.firstFrameReported) return;
  v.firstFrameReported = true;
  // The processor time spent so far: on a loaded machine the wall time
  // says more about the other programs than about this one.
  rusage used{};
  getrusage(RUSAGE_SELF, &used);
  const auto ms = [](const timeval& t) { return static_cast<double>(t.tv_sec) * 1e3 + t.tv_usec / 1e3; };
  report("first-frame cpu %.0f ms", ms(used.ru_utime) + ms(used.ru_stime));
  g_signal_handlers_disconnect_by_func(clock, reinterpret_cast<gpointer>(afterPaint), data);
}

void windowMapped(GtkWidget* window, gpointer data) {
  if (GdkFrameClock* clock = gtk_widget_get_frame_clock(window))
    g_signal_connect(clock, "after-paint", G_CALLBACK(afterPaint), data);
}

// ---------------------------------------------------------------- tiles

MerrinColorProjectItemPtr itemAt(Viewer& v, double x, double y) {
  // The spacer's coordinates are the grid's.
  return v.document.itemAt({x, y}, v.width);
}

gboolean queryTooltip(GtkWidget*, int x, int y, gboolean keyboard, GtkTooltip* tooltip, gpointer data) {
  Viewer& v = *viewerOf(data);
  // A tooltip over the open tile menu would cover its item.
  if (keyboard || gtk_widget_get_visible(v.menu)) return FALSE;
  MerrinColorProjectItemPtr item = itemAt(v, x, y);
  if (!item) return FALSE;
  gtk_tooltip_set_text(tooltip, tileDescription(*item).c_str());
  return TRUE;
}

void pointerMoved(GtkEventControllerMotion*, double x, double y, gpointer data) {
  Viewer& v = *viewerOf(data);
  v.hovered = itemAt(v, x, y);
}

void pointerLeft(GtkEventControllerMotion*, gpointer data) {
  viewerOf(data)->hovered.reset();
}

void pressed(GtkGestureClick* gesture, int, double x, double y, gpointer data) {
  Viewer& v = *viewerOf(data);
  v.clicked = itemAt(v, x, y);
  if (gtk_gesture_single_get_current_button(GTK_GESTURE_SINGLE(gesture)) != GDK_BUTTON_SECONDARY ||
      !v.clicked)
    return;
  v.hovered.reset();  // the menu acts on the tile it was opened on
  const GdkRectangle at{static_cast<int>(x), static_cast<int>(y), 1, 1};
  gtk_popover_set_pointing_to(GTK_POPOVER(v.menu), &at);
  gtk_popover_popup(GTK_POPOVER(v.menu));
}

void copyColour(GSimpleAction*, GVariant*, gpointer data) {
  Viewer& v = *viewerOf(data);
  MerrinColorProjectItemPtr item = v.hovered ? v.hovered : v.clicked;
  std::optional<mcu::PlatformColor> color = item ? tileColor(*item, v.document.variant()) : std::nullopt;
  std::optional<std::string> text =
      color ? mcu::copyToClipboard(*color, mcu::ColorFormat::floatRGBA) : std::nullopt;
  if (!text) {
    gtk_widget_error_bell(v.window);
    return;
  }
  report("copied %s", text->c_str());
}

// ---------------------------------------------------------------- look

hostkit::Appearance desktopAppearance() {
  return adw_style_manager_get_dark(adw_style_manager_get_default()) ? hostkit::Appearance::dark
                                                                     : hostkit::Appearance::light;
}

void darkChanged(AdwStyleManager*, GParamSpec*, gpointer data) {
  Viewer& v = *viewerOf(data);
  v.document.setAppearance(desktopAppearance());
  gtk_widget_queue_draw(v.area);
}

void variantChosen(GtkDropDown* dropDown, GParamSpec*, gpointer data) {
  Viewer& v = *viewerOf(data);
  const guint chosen = gtk_drop_down_get_selected(dropDown);
  if (chosen >= allColorSources.size()) return;
  v.document.setVariant(allColorSources[chosen]);
  gtk_widget_queue_draw(v.area);
}

GtkWidget* variantDropDown(Viewer& v) {
  GtkStringList* names = gtk_string_list_new(nullptr);
  for (ColorSource source : allColorSources)
    gtk_string_list_append(names, std::string(displayName(source)).c_str());
  GtkWidget* dropDown = gtk_drop_down_new(G_LIST_MODEL(names), nullptr);
  gtk_widget_set_tooltip_text(dropDown, "Appearance variant");
  g_signal_connect(dropDown, "notify::selected", G_CALLBACK(variantChosen), &v);
  return dropDown;
}

GtkWidget* tileMenu(Viewer& v) {
  GMenu* model = g_menu_new();
  g_menu_append(model, "Copy Colour", "win.copy-colour");
  GtkWidget* popover = gtk_popover_menu_new_from_model(G_MENU_MODEL(model));
  g_object_unref(model);
  gtk_widget_set_parent(popover, v.spacer);
  gtk_popover_set_has_arrow(GTK_POPOVER(popover), FALSE);
  gtk_widget_set_halign(popover, GTK_ALIGN_START);
  return popover;
}

void windowDestroyed(GtkWidget*, gpointer data) {
  Viewer& v = *viewerOf(data);
  if (v.menu) gtk_widget_unparent(v.menu);
  v.menu = nullptr;
  g_signal_handlers_disconnect_by_data(adw_style_manager_get_default(), data);
}

}  // namespace

GtkWidget* newViewerWindow(AdwApplication* app, const fs::path& file) {
  auto* v = new Viewer(file);
  v->window = adw_application_window_new(GTK_APPLICATION(app));
  g_object_set_data_full(G_OBJECT(v->window), "tavlo-viewer", v,
                         [](gpointer data) { delete viewerOf(data); });
  const std::string title = file.filename().string();
  gtk_window_set_title(GTK_WINDOW(v->window), title.c_str());
  gtk_window_set_default_size(GTK_WINDOW(v->window), 1024, 720);

  GtkWidget* header = adw_header_bar_new();
  adw_header_bar_set_title_widget(ADW_HEADER_BAR(header), adw_window_title_new(title.c_str(), nullptr));
  adw_header_bar_pack_end(ADW_HEADER_BAR(header), variantDropDown(*v));

  // The grid: the area draws the visible band under a scrolled window that
  // holds only an empty spacer as tall as the grid, so no widget is ever
  // as tall as a document of thousands of tiles.
  v->area = gtk_drawing_area_new();
  gtk_drawing_area_set_draw_func(GTK_DRAWING_AREA(v->area), drawGrid, v, nullptr);
  g_signal_connect(v->area, "resize", G_CALLBACK(areaResized), v);
  v->spacer = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
  gtk_widget_set_has_tooltip(v->spacer, TRUE);
  g_signal_connect(v->spacer, "query-tooltip", G_CALLBACK(queryTooltip), v);
  v->scroller = gtk_scrolled_window_new();
  gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(v->scroller), GTK_POLICY_NEVER, GTK_POLICY_AUTOMATIC);
  gtk_scrolled_window_set_child(GTK_SCROLLED_WINDOW(v->scroller), v->spacer);
  v->vadjustment = gtk_scrolled_window_get_vadjustment(GTK_SCROLLED_WINDOW(v->scroller));
  g_signal_connect(v->vadjustment, "value-changed", G_CALLBACK(scrolled), v);
  g_signal_connect(v->vadjustment, "changed", G_CALLBACK(scrollRangeChanged), v);
  GtkWidget* grid = gtk_overlay_new();
  gtk_overlay_set_child(GTK_OVERLAY(grid), v->area);
  gtk_overlay_add_overlay(GTK_OVERLAY(grid), v->scroller);

  GtkEventController* motion = gtk_event_controller_motion_new();
  g_signal_connect(motion, "motion", G_CALLBACK(pointerMoved), v);
  g_signal_connect(motion, "leave", G_CALLBACK(pointerLeft), v);
  gtk_widget_add_controller(v->spacer, motion);
  GtkGesture* click = gtk_gesture_click_new();
  gtk_gesture_single_set_button(GTK_GESTURE_SINGLE(click), 0);
  g_signal_connect(click, "pressed", G_CALLBACK(pressed), v);
  gtk_widget_add_controller(v->spacer, GTK_EVENT_CONTROLLER(click));
  v->menu = tileMenu(*v);

  v->status = adw_status_page_new();
  adw_status_page_set_icon_name(ADW_STATUS_PAGE(v->status), "dialog-error-symbolic");
  adw_status_page_set_title(ADW_STATUS_PAGE(v->status), "Cannot show this document");
  v->stack = gtk_stack_new();
  gtk_stack_add_named(GTK_STACK(v->stack), grid, "grid");
  gtk_stack_add_named(GTK_STACK(v->stack), v->status, "error");
  gtk_widget_set_vexpand(v->stack, TRUE);

  GtkWidget* content = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
  gtk_box_append(GTK_BOX(content), header);
  gtk_box_append(GTK_BOX(content), v->stack);
  adw_application_window_set_content(ADW_APPLICATION_WINDOW(v->window), content);

  static const GActionEntry actions[] = {{"copy-colour", copyColour, nullptr, nullptr, nullptr, {}}};
  g_action_map_add_action_entries(G_ACTION_MAP(v->window), actions, G_N_ELEMENTS(actions), v);
  static const char* const copyKeys[] = {"<Control>c", nullptr};
  gtk_application_set_accels_for_action(GTK_APPLICATION(app), "win.copy-colour", copyKeys);
  mcu::setGeneralClipboard(std::make_shared<DesktopClipboard>(gtk_widget_get_clipboard(v->window)));

  AdwStyleManager* style = adw_style_manager_get_default();
  g_signal_connect(style, "notify::dark", G_CALLBACK(darkChanged), v);
  g_signal_connect(v->window, "map", G_CALLBACK(windowMapped), v);
  g_signal_connect(v->window, "destroy", G_CALLBACK(windowDestroyed), v);

  hostkit::setCurrentAppearance(desktopAppearance());
  v->document.reload();
  showDocument(*v);

  GFile* target = g_file_new_for_path(file.c_str());
  GFile* folder = g_file_get_parent(target);
  v->fileMonitor = watch(*v, target, false);
  if (folder) v->folderMonitor = watch(*v, folder, true);
  g_object_unref(target);
  if (folder) g_object_unref(folder);
  return v->window;
}

}  // namespace tavlo::viewer
