// SPDX-License-Identifier: GPL-3.0-or-later
// Printing from the WebKit view: the print dialog, the page-setup dialog, and a preview
// printed to a PDF file that the desktop's PDF viewer shows.
#include <gdk/gdk.h>

#include "platform/gtk/gio_handlers.h"
#include "platform/gtk/webkit_view.h"

namespace tv {

namespace {

// Kept between the print commands of every view, as one printer set-up.
GtkPageSetup* shared_page_setup = nullptr;
GtkPrintSettings* shared_print_settings = nullptr;

constexpr const char* kPdfType = "application/pdf";

GtkWindow* ParentOf(WebKitWebView* view) {
  GtkWidget* top = gtk_widget_get_toplevel(GTK_WIDGET(view));
  return GTK_IS_WINDOW(top) ? GTK_WINDOW(top) : nullptr;
}

WebKitPrintOperation* NewOperation(WebKitWebView* view) {
  WebKitPrintOperation* op = webkit_print_operation_new(view);
  if (shared_page_setup) webkit_print_operation_set_page_setup(op, shared_page_setup);
  if (shared_print_settings) webkit_print_operation_set_print_settings(op, shared_print_settings);
  return op;
}

void Keep(GtkPrintSettings* settings) {
  if (!settings || settings == shared_print_settings) return;
  g_object_ref(settings);
  if (shared_print_settings) g_object_unref(shared_print_settings);
  shared_print_settings = settings;
}

// A preview being printed: the viewer to open the file with once it is whole.
struct PreviewJob {
  GAppInfo* viewer = nullptr;
  std::string path;
  bool failed = false;
};

void OnPreviewFailed(WebKitPrintOperation*, GError*, gpointer data) {
  static_cast<PreviewJob*>(data)->failed = true;
}

void OnPreviewFinished(WebKitPrintOperation* op, gpointer data) {
  auto* job = static_cast<PreviewJob*>(data);
  if (!job->failed) {
    GFile* file = g_file_new_for_path(job->path.c_str());
    GList* files = g_list_append(nullptr, file);
    GdkDisplay* display = gdk_display_get_default();
    GAppLaunchContext* context =
        display ? G_APP_LAUNCH_CONTEXT(gdk_display_get_app_launch_context(display)) : nullptr;
    g_app_info_launch(job->viewer, files, context, nullptr);
    if (context) g_object_unref(context);
    g_list_free(files);
    g_object_unref(file);
  }
  g_object_unref(job->viewer);
  delete job;
  g_object_unref(op);
}

}  // namespace

void WebKitHtmlView::Print(int option) {
  WebKitPrintOperation* op = NewOperation(view_);
  // A started job ends with "finished", which releases the operation.
  g_signal_connect(op, "finished", G_CALLBACK(g_object_unref), nullptr);
  if (option == kOptDontPrompt) {
    webkit_print_operation_print(op);
    return;
  }
  if (webkit_print_operation_run_dialog(op, ParentOf(view_)) ==
      WEBKIT_PRINT_OPERATION_RESPONSE_PRINT) {
    Keep(webkit_print_operation_get_print_settings(op));
    return;
  }
  g_signal_handlers_disconnect_by_func(op, reinterpret_cast<gpointer>(g_object_unref), nullptr);
  g_object_unref(op);
}

void WebKitHtmlView::PageSetup() {
  GtkPageSetup* chosen =
      gtk_print_run_page_setup_dialog(ParentOf(view_), shared_page_setup, shared_print_settings);
  if (shared_page_setup) g_object_unref(shared_page_setup);
  shared_page_setup = chosen;
}

bool WebKitHtmlView::CanPreview() {
  GAppInfo* viewer = HandlerFor(kPdfType);
  if (viewer) g_object_unref(viewer);
  return viewer != nullptr;
}

void WebKitHtmlView::PrintPreview() {
  GAppInfo* viewer = HandlerFor(kPdfType);
  if (!viewer) return;
  auto* job = new PreviewJob{viewer, PreviewFile()};
  gchar* uri = g_filename_to_uri(job->path.c_str(), nullptr, nullptr);
  GtkPrintSettings* settings = shared_print_settings
                                   ? gtk_print_settings_copy(shared_print_settings)
                                   : gtk_print_settings_new();
  // The file printer of GTK writes the pages as PDF, with no printer needed.
  gtk_print_settings_set_printer(settings, "Print to File");
  gtk_print_settings_set(settings, GTK_PRINT_SETTINGS_OUTPUT_FILE_FORMAT, "pdf");
  gtk_print_settings_set(settings, GTK_PRINT_SETTINGS_OUTPUT_URI, uri ? uri : "");
  g_free(uri);
  WebKitPrintOperation* op = NewOperation(view_);
  webkit_print_operation_set_print_settings(op, settings);
  g_object_unref(settings);
  g_signal_connect(op, "failed", G_CALLBACK(OnPreviewFailed), job);
  g_signal_connect(op, "finished", G_CALLBACK(OnPreviewFinished), job);
  webkit_print_operation_print(op);
}

}  // namespace tv
