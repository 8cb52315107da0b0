# civetweb: Debian's library natively; on Windows compiled from the Debian
# source package that scripts/setup unpacks (WebSocket on, TLS and CGI off).
if(WIN32)
  set(CIVETWEB_SRC_DIR "${PROJECT_SOURCE_DIR}/third_party/civetweb" CACHE PATH "civetweb source tree")
  if(NOT EXISTS "${CIVETWEB_SRC_DIR}/src/civetweb.c")
    message(FATAL_ERROR "civetweb sources missing in ${CIVETWEB_SRC_DIR}: run scripts/setup")
  endif()
  add_library(civetweb STATIC ${CIVETWEB_SRC_DIR}/src/civetweb.c)
  target_include_directories(civetweb SYSTEM PUBLIC ${CIVETWEB_SRC_DIR}/include PRIVATE ${CIVETWEB_SRC_DIR}/src)
  # Its polls look at the stop flag every SOCKET_TIMEOUT_QUANTUM ms (2000 by default): a window's
  # server then stops in a tenth of a second.
  target_compile_definitions(civetweb PRIVATE NO_SSL USE_WEBSOCKET NO_CGI NDEBUG SOCKET_TIMEOUT_QUANTUM=100)
  target_compile_options(civetweb PRIVATE -w)
  target_link_libraries(civetweb PUBLIC ws2_32)
  add_library(civetweb::civetweb ALIAS civetweb)
else()
  # Debian's civetweb-config.cmake needs the separate server package; find the parts by hand.
  find_path(CIVETWEB_INCLUDE_DIR civetweb.h REQUIRED)
  find_library(CIVETWEB_LIBRARY civetweb REQUIRED)
  find_package(Threads REQUIRED)
  add_library(civetweb::civetweb UNKNOWN IMPORTED)
  set_target_properties(civetweb::civetweb PROPERTIES
    IMPORTED_LOCATION "${CIVETWEB_LIBRARY}"
    INTERFACE_INCLUDE_DIRECTORIES "${CIVETWEB_INCLUDE_DIR}"
    INTERFACE_LINK_LIBRARIES "Threads::Threads;${CMAKE_DL_LIBS}")
endif()
