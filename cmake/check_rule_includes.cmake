# Fails when a pure rule includes a Qt module beyond QtCore by its qualified name
# (<QtWidgets/QWidget>, <QtGui/QColor>): QtCore's include path holds the Qt root, so the compiler
# alone would find them. Run as: cmake -DRULE_FILES="a.cpp;a.h;..." -DSTAMP=file -P <this file>
set(refused "")
foreach(file ${RULE_FILES})
  file(STRINGS "${file}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*<Qt[A-Za-z]+/")
  foreach(line ${lines})
    if(NOT line MATCHES "<QtCore/")
      string(APPEND refused "\n  ${file}: ${line}")
    endif()
  endforeach()
endforeach()
if(refused)
  message(FATAL_ERROR "a pure rule includes a Qt module other than QtCore:${refused}")
endif()
file(TOUCH "${STAMP}")
