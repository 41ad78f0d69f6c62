// libxlsxwriter by its shared object's name, which the build read from the library it compiled
// against (KOBAL_XLSXWRITER_SONAME).
#include "cli/XlsxLibrary.h"

#include <dlfcn.h>

#include <stdexcept>
#include <string>

namespace kobal::cli {
namespace {

[[noreturn]] void Missing() {
  const char* const why = dlerror();
  throw std::runtime_error("writing workbooks needs libxlsxwriter (" KOBAL_XLSXWRITER_SONAME "): " +
                           std::string(why != nullptr ? why : "not found"));
}

template <typename Function>
void Resolve(void* library, const char* name, Function& function) {
  void* const symbol = dlsym(library, name);
  if (symbol == nullptr) Missing();
  function = reinterpret_cast<Function>(symbol);
}

// The name written once, for the lookup and the member it fills.
#define KOBAL_RESOLVE(name) Resolve(library, #name, functions.name)

XlsxLibrary Load() {
  // Never closed: its functions serve until the program ends.
  void* const library = dlopen(KOBAL_XLSXWRITER_SONAME, RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) Missing();
  XlsxLibrary functions{};
  KOBAL_RESOLVE(workbook_new_opt);
  KOBAL_RESOLVE(workbook_add_format);
  KOBAL_RESOLVE(workbook_add_worksheet);
  KOBAL_RESOLVE(workbook_set_properties);
  KOBAL_RESOLVE(workbook_close);
  KOBAL_RESOLVE(format_set_bold);
  KOBAL_RESOLVE(format_set_num_format);
  KOBAL_RESOLVE(worksheet_write_string);
  KOBAL_RESOLVE(worksheet_write_blank);
  KOBAL_RESOLVE(worksheet_set_column);
  KOBAL_RESOLVE(worksheet_freeze_panes);
  KOBAL_RESOLVE(worksheet_autofilter);
  KOBAL_RESOLVE(lxw_strerror);
  return functions;
}

#undef KOBAL_RESOLVE

}  // namespace

const XlsxLibrary& LoadXlsxLibrary() {
  static const XlsxLibrary functions = Load();
  return functions;
}

}  // namespace kobal::cli
