# Fails when a file under CORE_DIR includes a QtGui, QtWidgets or QtPrintSupport header.
file(GLOB_RECURSE sources "${CORE_DIR}/*.h" "${CORE_DIR}/*.cpp")
set(gui_headers
  "QtGui/" "QtWidgets/" "QtPrintSupport/" "QApplication" "QGuiApplication" "QWidget" "QMainWindow" "QDialog"
  "QMessageBox" "QFileDialog" "QInputDialog" "QLabel" "QPushButton" "QComboBox" "QListWidget" "QLineEdit"
  "QPlainTextEdit" "QTextEdit" "QTextBrowser" "QMenu" "QMenuBar" "QAction" "QFrame" "QPixmap" "QImage" "QIcon"
  "QPainter" "QPalette" "QColor" "QFont" "QFontMetrics" "QScreen" "QClipboard" "QTextDocument" "QPrinter"
  "QPrintDialog" "QPrintPreviewDialog" "QDesktopServices" "QKeyEvent" "QMouseEvent" "QCloseEvent")
set(offences "")
foreach(source IN LISTS sources)
  file(STRINGS "${source}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*<")
  foreach(line IN LISTS lines)
    foreach(header IN LISTS gui_headers)
      string(FIND "${line}" "<${header}" at)
      if(NOT at EQUAL -1)
        list(APPEND offences "${source}: ${line}")
      endif()
    endforeach()
  endforeach()
endforeach()
if(offences)
  list(JOIN offences "\n" report)
  message(FATAL_ERROR "core includes GUI headers:\n${report}")
endif()
message(STATUS "src/core includes no GUI header (${CMAKE_CURRENT_LIST_FILE})")
