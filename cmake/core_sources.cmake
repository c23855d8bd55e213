# The declaration logic's sources (form/, period/, print/, check/, help/), for the main build
# and the fuzz build. Each platform pair (name_posix.cpp, name_windows.cpp) is
# named apart: a build takes its own platform's half, or its own stand-in.
set(MUHTASAR_FORM_SOURCES
  form/amount_field.cpp
  form/amount_text.cpp
  form/catalogue.cpp
  form/cp1254.cpp
  form/field.cpp
  form/form.cpp
  form/identity_number.cpp
  form/key_filters.cpp
  form/totals.cpp)
set(MUHTASAR_PERIOD_SOURCES
  period/carry_over.cpp
  period/computed_values.cpp
  period/file_replace.cpp
  period/history.cpp
  period/ini_file.cpp
  period/io_error.cpp
  period/line_source.cpp
  period/payroll_summary.cpp
  period/period_hold.cpp
  period/rewrite_journal.cpp
  period/section_reader.cpp
  period/startup.cpp
  period/store.cpp
  period/store_rewrite.cpp
  period/stored_boolean.cpp
  period/stored_fields.cpp
  print/print_command.cpp
  print/print_file.cpp
  check/declaration_check.cpp
  check/field_captions.cpp
  check/form_values.cpp
  check/field_rules.cpp
  help/user_guide.cpp)
# The halves that talk to the system: the file replace, the error codes, the
# start of the print program.
set(MUHTASAR_PLATFORM_PAIRS period/file_replace period/io_error print/print_program)
