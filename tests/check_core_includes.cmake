# Fails when a file under CORE_DIR includes a QtGui, QtWidgets or QtPrintSupport header or a header of
# the ui library, or when a ui feature folder under UI_DIR (every folder but app and platform) includes a
# header of another feature folder or of app: windows ask the navigator, which alone knows them all.
file(GLOB_RECURSE sources "${CORE_DIR}/*.h" "${CORE_DIR}/*.cpp")
set(gui_headers
  "QtGui/" "QtWidgets/" "QtPrintSupport/" "QApplication" "QGuiApplication" "QWidget" "QMainWindow" "QDialog"
  "QMessageBox" "QFileDialog" "QInputDialog" "QLabel" "QPushButton" "QComboBox" "QListWidget" "QLineEdit"
  "QPlainTextEdit" "QTextEdit" "QTextBrowser" "QMenu" "QMenuBar" "QAction" "QFrame" "QPixmap" "QImage" "QIcon"
  "QPainter" "QPalette" "QColor" "QFont" "QFontMetrics" "QScreen" "QClipboard" "QTextDocument" "QPrinter"
  "QPrintDialog" "QPrintPreviewDialog" "QDesktopServices" "QKeyEvent" "QMouseEvent" "QCloseEvent")
set(offences "")
foreach(source IN LISTS sources)
  file(STRINGS "${source}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
  foreach(line IN LISTS lines)
    foreach(header IN LISTS gui_headers)
      string(FIND "${line}" "<${header}" at)
      if(NOT at EQUAL -1)
        list(APPEND offences "${source}: ${line}")
      endif()
    endforeach()
    string(FIND "${line}" "\"ui/" at)
    if(NOT at EQUAL -1)
      list(APPEND offences "${source}: ${line}")
    endif()
  endforeach()
endforeach()

if(UI_DIR)
  file(GLOB folders RELATIVE "${UI_DIR}" "${UI_DIR}/*")
  foreach(folder IN LISTS folders)
    if(folder STREQUAL "app" OR folder STREQUAL "platform" OR NOT IS_DIRECTORY "${UI_DIR}/${folder}")
      continue()
    endif()
    file(GLOB ui_sources "${UI_DIR}/${folder}/*.h" "${UI_DIR}/${folder}/*.cpp")
    foreach(source IN LISTS ui_sources)
      file(STRINGS "${source}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"ui/")
      foreach(line IN LISTS lines)
        if(NOT line MATCHES "\"ui/(${folder}|platform)/")
          list(APPEND offences "${source}: ${line}")
        endif()
      endforeach()
    endforeach()
  endforeach()
endif()

if(offences)
  list(JOIN offences "\n" report)
  message(FATAL_ERROR "includes across the libraries' borders:\n${report}")
endif()
message(STATUS "core includes no GUI or ui header; ui folders include only their own and platform headers")
