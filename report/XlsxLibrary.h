#pragma once

#include <QString>
#include <xlsxwriter.h>

// The functions of libxlsxwriter that the workbook export calls, resolved
// when a workbook is first written. Linking the library would load it, and
// the cryptography library it brings, at every start of the program, for a
// command that most sessions never use.
#define VARNETH_XLSX_FUNCTIONS(F)                                                                  \
    F(workbook_new)                                                                                \
    F(workbook_add_worksheet)                                                                      \
    F(workbook_add_format)                                                                         \
    F(workbook_close)                                                                              \
    F(format_set_bold)                                                                             \
    F(format_set_indent)                                                                           \
    F(format_set_align)                                                                            \
    F(worksheet_set_column)                                                                        \
    F(worksheet_set_row)                                                                           \
    F(worksheet_write_string)                                                                      \
    F(worksheet_write_number)                                                                      \
    F(worksheet_write_formula_num)                                                                 \
    F(worksheet_insert_image_buffer_opt)

struct TXlsxLibrary {
    // The library, loaded once and kept; nullptr, with the reason in
    // `problem`, when it or one of its functions is missing.
    static const TXlsxLibrary *Get(QString &problem);

#define VARNETH_XLSX_POINTER(name) decltype(&::name) name = nullptr;
    VARNETH_XLSX_FUNCTIONS(VARNETH_XLSX_POINTER)
#undef VARNETH_XLSX_POINTER
};
