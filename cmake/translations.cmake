# SPDX-FileCopyrightText: 2026 Wayrunner Track developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The languages of the tool besides English, one translations/wayrunner_LANG.ts
# each. A new language is one more code here and its .ts file.
set(WR_LANGUAGES
    de
)

find_package(Qt6 6.4 REQUIRED COMPONENTS LinguistTools)
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(wr_qm_dir ${CMAKE_BINARY_DIR}/i18n)
set(wr_qm_files)
foreach(lang ${WR_LANGUAGES})
  set(ts ${PROJECT_SOURCE_DIR}/translations/wayrunner_${lang}.ts)
  set(qm ${wr_qm_dir}/wayrunner_${lang}.qm)
  add_custom_command(OUTPUT ${qm}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${wr_qm_dir}
                     COMMAND Qt6::lrelease -silent ${ts} -qm ${qm}
                     DEPENDS ${ts} VERBATIM)
  list(APPEND wr_qm_files ${qm})
endforeach()
qt_add_resources(wayrunner_session wayrunner_translations PREFIX /i18n BASE ${wr_qm_dir}
                 FILES ${wr_qm_files})

# The pseudo-translation for the checks: every source text of the German file,
# longer and marked; given to the test programs only.
set(WR_PSEUDO_QM ${wr_qm_dir}/pseudo/wayrunner_pseudo.qm)
set(pseudo_ts ${wr_qm_dir}/pseudo/wayrunner_pseudo.ts)
add_custom_command(OUTPUT ${WR_PSEUDO_QM}
                   COMMAND ${CMAKE_COMMAND} -E make_directory ${wr_qm_dir}/pseudo
                   COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/scripts/pseudo_locale.py
                           ${PROJECT_SOURCE_DIR}/translations/wayrunner_de.ts ${pseudo_ts}
                   COMMAND Qt6::lrelease -silent ${pseudo_ts} -qm ${WR_PSEUDO_QM}
                   DEPENDS ${PROJECT_SOURCE_DIR}/translations/wayrunner_de.ts
                           ${PROJECT_SOURCE_DIR}/scripts/pseudo_locale.py
                   VERBATIM)
add_custom_target(wayrunner_pseudo_locale DEPENDS ${WR_PSEUDO_QM})
