// SPDX-License-Identifier: GPL-3.0-or-later
// Document members of the WebKit view, read through page scripts, and its commands: the
// editing commands here, printing in webkit_print.cpp.
#include <cstdlib>

#include "platform/gtk/element_json.h"
#include "platform/gtk/script_wait.h"
#include "platform/gtk/webkit_view.h"

namespace tv {

namespace {

// One pass over every element; images that are not laid out report their own size.
// A picture also gives its own size, what it shows, the largest version it names (srcset,
// <picture> sources, the page's lazy-loading attributes) and the link around it; a large
// box its CSS background picture. Only large boxes are asked for their style.
constexpr const char* kScanScript = R"JS((function () {
  var base = document.baseURI;
  function abs(u) {
    try { return u ? new URL(u, base).href : ''; } catch (x) { return ''; }
  }
  // The candidate of a srcset with the most pixels: widths before densities.
  function best(set, top) {
    if (typeof set !== 'string') return top;
    var re = /\s*([^\s,][^\s]*[^\s,]|[^\s,])\s*([^,]*)/g, m;
    while ((m = re.exec(set)) !== null) {
      if (!m[0]) { re.lastIndex++; continue; }
      var d = (m[2] || '').trim(), w = 0, x = 1;
      if (/^\d+w$/.test(d)) w = parseInt(d, 10);
      else if (/^[\d.]+x$/.test(d)) x = parseFloat(d);
      var rank = w ? 1e6 + w : x;
      if (!top || rank > top[1]) top = [abs(m[1]), rank];
    }
    return top;
  }
  var lazyAttrs = ['data-src', 'data-original', 'data-lazy-src', 'data-lazy', 'data-url'];
  var lazySets = ['data-srcset', 'data-lazy-srcset'];
  var all = document.all || document.getElementsByTagName('*');
  var rows = [];
  for (var i = 0; i < all.length; i++) {
    var e = all[i];
    var w = e.offsetWidth || 0, h = e.offsetHeight || 0;
    var tag = String(e.tagName || '').toUpperCase();
    var row = [tag, typeof e.src === 'string' ? e.src : '',
               typeof e.href === 'string' ? e.href : '',
               typeof e.target === 'string' ? e.target : '', 0, 0,
               typeof e.title === 'string' ? e.title : ''];
    if (tag === 'IMG') {
      w = e.width || e.naturalWidth || w;
      h = e.height || e.naturalHeight || h;
      var top = best(e.getAttribute('srcset'), null), lazy = e.loading === 'lazy';
      var p = e.parentElement;
      if (p && p.tagName === 'PICTURE') {
        for (var c = p.firstElementChild; c; c = c.nextElementSibling)
          if (c.tagName === 'SOURCE') top = best(c.getAttribute('srcset'), top);
      }
      for (var k = 0; k < lazySets.length; k++) {
        var set = e.getAttribute(lazySets[k]);
        if (set) { top = best(set, top); lazy = true; }
      }
      if (!top) {
        for (var k = 0; k < lazyAttrs.length; k++) {
          var a = abs(e.getAttribute(lazyAttrs[k]));
          if (a && a !== e.src) { top = [a, 1]; lazy = true; break; }
        }
      }
      var link = e.closest ? e.closest('a[href]') : null;
      row.push(e.naturalWidth | 0, e.naturalHeight | 0,
               e.complete && e.naturalWidth > 0 ? 1 : 0, lazy ? 1 : 0,
               String(e.currentSrc || e.src || ''), top ? top[0] : '',
               link && typeof link.href === 'string' ? link.href : '', '');
    } else if (w > 520 && h > 560 && e.nodeType === 1) {
      var bg = getComputedStyle(e).backgroundImage || '';
      var u = /url\(\s*["']?([^"')]+)["']?\s*\)/.exec(bg);
      if (u) row.push(0, 0, 0, 0, '', '', '', abs(u[1]));
    }
    row[4] = w | 0;
    row[5] = h | 0;
    rows.push(row);
  }
  return JSON.stringify(rows);
})())JS";

}  // namespace

bool WebKitHtmlView::HasDocument() {
  const char* uri = webkit_web_view_get_uri(view_);
  return uri && *uri;
}

std::string WebKitHtmlView::Title() {
  const char* title = webkit_web_view_get_title(view_);
  return title ? title : "";
}

bool WebKitHtmlView::ScrollBy(int x, int y) {
  if (!HasDocument()) return false;
  // Scripts run in order, so later reads see this scroll without waiting for it here.
  PostScript(view_, "window.scrollBy(" + std::to_string(x) + "," + std::to_string(y) + ")");
  return true;
}

bool WebKitHtmlView::ExecScript(const std::string& code, const std::string&) {
  if (!HasDocument()) return false;
  return RunScript(view_, code).has_value();
}

std::vector<HtmlElement> WebKitHtmlView::All() {
  if (!HasDocument()) return {};
  auto json = RunScript(view_, kScanScript);
  if (!json) return {};
  return ParseElementRows(*json);
}

std::string WebKitHtmlView::ActiveElementHref() {
  if (in_new_window_) return new_window_href_;
  if (!HasDocument()) return "";
  auto href = RunScript(view_,
                        "(function(){var e=document.activeElement;"
                        "return e&&typeof e.href==='string'?e.href:'';})()");
  return href.value_or("");
}

bool WebKitHtmlView::PointerInView(int& x, int& y) {
  GtkWidget* widget = Widget();
  GtkWidget* top = gtk_widget_get_toplevel(widget);
  GdkWindow* top_window = gtk_widget_get_window(top);
  if (!HasDocument() || !top_window || !gtk_widget_get_mapped(widget)) return false;
  GdkSeat* seat = gdk_display_get_default_seat(gtk_widget_get_display(widget));
  GdkDevice* pointer = seat ? gdk_seat_get_pointer(seat) : nullptr;
  if (!pointer) return false;
  // Where the pointer is now, not where the last status text was reported: the page
  // may have changed under a still pointer since.
  int tx = 0, ty = 0;
  gdk_window_get_device_position(top_window, pointer, &tx, &ty, nullptr);
  if (!gtk_widget_translate_coordinates(top, widget, tx, ty, &x, &y)) return false;
  GtkAllocation box;
  gtk_widget_get_allocation(widget, &box);
  return x >= 0 && y >= 0 && x < box.width && y < box.height;
}

std::string WebKitHtmlView::LinkUnderPointer() {
  if (scripted_pointer_) return *scripted_pointer_;
  int x = 0, y = 0;
  if (!PointerInView(x, y)) return "";
  auto href = RunScript(view_,
                        "(function(x,y){var e=document.elementFromPoint(x,y);"
                        "while(e&&!(e.tagName==='A'&&typeof e.href==='string'&&e.href))"
                        "e=e.parentElement;return e?e.href:'';})(" +
                            std::to_string(x) + "," + std::to_string(y) + ")");
  return href.value_or("");
}

PointerTarget WebKitHtmlView::PointerTargetNow() {
  if (scripted_pointer_) return {*scripted_pointer_, "", false};
  int x = 0, y = 0;
  if (!PointerInView(x, y)) return {};
  // The link around the point, the picture at it and whether a selected range covers it,
  // as one JSON array.
  auto json =
      RunScript(view_,
                "(function(x,y){var e=document.elementFromPoint(x,y),a=e,l='',p='',s=false;"
                "while(a&&!(a.tagName==='A'&&typeof a.href==='string'&&a.href))a=a.parentElement;"
                "if(a)l=a.href;"
                "if(e&&e.tagName==='IMG')p=e.currentSrc||e.src||'';"
                "var g=getSelection();"
                "for(var i=0;g&&!g.isCollapsed&&i<g.rangeCount&&!s;i++){"
                "var r=g.getRangeAt(i).getClientRects();"
                "for(var k=0;k<r.length;k++)if(x>=r[k].left&&x<=r[k].right&&y>=r[k].top&&"
                "y<=r[k].bottom)s=true;}"
                "return JSON.stringify([l,p,s]);})(" +
                    std::to_string(x) + "," + std::to_string(y) + ")");
  return json ? ParsePointerTarget(*json) : PointerTarget{};
}

void WebKitHtmlView::RestPointerOn(const std::string& address) {
  scripted_pointer_ = address;
  OnStatus(address);
}

bool WebKitHtmlView::ClickLink(int index) {
  if (index < 0 || !HasDocument()) return false;
  // The index-th link with an address, clicked in the page; one that opens a new window
  // asks the logic for it through the engine.
  std::string code =
      "(function(i){var a=document.getElementsByTagName('A');"
      "for(var k=0;k<a.length;k++){var e=a[k];"
      "if(typeof e.href!=='string'||!e.href||i--!==0)continue;"
      "try{e.focus();}catch(x){}"
      "e.click();return e.href;}return '';})(" +
      std::to_string(index) + ")";
  auto found = RunScript(view_, code);
  return found && !found->empty();
}

int WebKitHtmlView::ScriptInt(const std::string& code) {
  if (!HasDocument()) return 0;
  auto text = RunScript(view_, code);
  if (!text) return 0;
  return std::atoi(text->c_str());
}

int WebKitHtmlView::ScrollWidth() {
  return ScriptInt("(document.body||document.documentElement||{scrollWidth:0}).scrollWidth|0");
}

int WebKitHtmlView::ScrollHeight() {
  return ScriptInt("(document.body||document.documentElement||{scrollHeight:0}).scrollHeight|0");
}

int WebKitHtmlView::ScrollTop() {
  return ScriptInt("(window.scrollY||window.pageYOffset||0)|0");
}

void WebKitHtmlView::SetBodyScroll(bool scroll_bars) {
  if (!HasDocument()) return;
  RunScript(view_, std::string("if(document.body)document.body.style.overflow='") +
                       (scroll_bars ? "" : "hidden") + "'");
}

std::string WebKitHtmlView::DocumentHtml() {
  if (!HasDocument()) return "";
  return RunScript(view_, "document.documentElement?document.documentElement.outerHTML:''")
      .value_or("");
}

bool WebKitHtmlView::QueryStatusWB(int command) {
  // A scripted run reports the command whatever the desktop offers.
  if (script_.active || command != kCmdPrintPreview) return true;
  return CanPreview();
}

void WebKitHtmlView::ExecWB(int command, int option) {
  if (script_.active) {
    script_.Report("view: ExecWB " + std::to_string(command) + " " + std::to_string(option));
    return;
  }
  switch (command) {
    case kCmdPrint:
      if (HasDocument()) Print(option);
      break;
    case kCmdPrintPreview:
      if (HasDocument()) PrintPreview();
      break;
    case kCmdPageSetup:
      PageSetup();
      break;
    case kCmdCut:
      webkit_web_view_execute_editing_command(view_, WEBKIT_EDITING_COMMAND_CUT);
      break;
    case kCmdCopy:
      webkit_web_view_execute_editing_command(view_, WEBKIT_EDITING_COMMAND_COPY);
      break;
    case kCmdPaste:
      webkit_web_view_execute_editing_command(view_, WEBKIT_EDITING_COMMAND_PASTE);
      break;
    case kCmdSelectAll:
      webkit_web_view_execute_editing_command(view_, WEBKIT_EDITING_COMMAND_SELECT_ALL);
      break;
    default:
      break;  // save-as and properties have no counterpart here
  }
}

void WebKitHtmlView::SetEditable(bool editable) {
  if (script_.active) script_.Report(std::string("view: editable ") + (editable ? "on" : "off"));
  webkit_web_view_set_editable(view_, editable);
}

void WebKitHtmlView::FindText(const std::string& text, bool backwards) {
  if (script_.active)
    script_.Report(std::string("view: find ") + (backwards ? "back " : "") + text);
  WebKitFindController* find = webkit_web_view_get_find_controller(view_);
  if (text.empty()) {
    webkit_find_controller_search_finish(find);
    return;
  }
  const char* current = webkit_find_controller_get_search_text(find);
  if (current && text == current) {
    if (backwards) {
      webkit_find_controller_search_previous(find);
    } else {
      webkit_find_controller_search_next(find);
    }
    return;
  }
  const guint32 options = WEBKIT_FIND_OPTIONS_CASE_INSENSITIVE | WEBKIT_FIND_OPTIONS_WRAP_AROUND |
                          (backwards ? WEBKIT_FIND_OPTIONS_BACKWARDS : 0);
  webkit_find_controller_search(find, text.c_str(), options, G_MAXUINT);
}

void WebKitHtmlView::FindFinish() {
  if (script_.active) script_.Report("view: find done");
  webkit_find_controller_search_finish(webkit_web_view_get_find_controller(view_));
}

}  // namespace tv
