# Installs one document while installing (cmake --install, cpack), not while
# building, so an installation needs no build step of its own for documents
# and the pages can name the prefix they are installed into: cpack installs
# into /usr whatever prefix the build was configured with.
#
# Set before including: DOCUMENT_SOURCE (the file), DOCUMENT_DESTINATION (a
# folder relative to the prefix), DOCUMENT_CONFIGURE (ON: replace @VAR@ as
# below), DOCUMENT_GZIP (gzip's path, or empty to install the file plain),
# DOCUMENT_WORK (the start of the name of a scratch folder in the build tree),
# VANTREL_VERSION and VANTREL_DATADIR (the build's CMAKE_INSTALL_DATADIR).

# What the pages may name, for the prefix of this installation.
if(IS_ABSOLUTE "${VANTREL_DATADIR}")
  set(CMAKE_INSTALL_FULL_DATADIR "${VANTREL_DATADIR}")
else()
  set(CMAKE_INSTALL_FULL_DATADIR "${CMAKE_INSTALL_PREFIX}/${VANTREL_DATADIR}")
endif()
set(VANTREL_DOCUMENT_SUFFIX "")
if(DOCUMENT_GZIP)
  set(VANTREL_DOCUMENT_SUFFIX .gz)
endif()

get_filename_component(document_name "${DOCUMENT_SOURCE}" NAME)
string(REGEX REPLACE "\\.in$" "" document_name "${document_name}")
# A folder of its own for each run, removed after it: installations into two
# prefixes may run at once (the tests do), and one run as root must leave
# nothing a later one cannot write over.
string(RANDOM LENGTH 12 document_run)
set(document_folder "${DOCUMENT_WORK}-${document_run}")
file(MAKE_DIRECTORY "${document_folder}")
set(document "${document_folder}/${document_name}")
if(DOCUMENT_CONFIGURE)
  configure_file("${DOCUMENT_SOURCE}" "${document}" @ONLY)
else()
  configure_file("${DOCUMENT_SOURCE}" "${document}" COPYONLY)
endif()
# Compressed as Debian wants documents: gzip -9n, with no name or time stamp in
# the header, so the same text gives the same package.
if(DOCUMENT_GZIP)
  execute_process(COMMAND "${DOCUMENT_GZIP}" -9n "${document}" RESULT_VARIABLE gzip_status)
  if(NOT gzip_status EQUAL 0)
    message(FATAL_ERROR "Cannot compress ${document}: gzip ended with ${gzip_status}")
  endif()
  set(document "${document}.gz")
endif()
if(NOT IS_ABSOLUTE "${DOCUMENT_DESTINATION}")
  set(DOCUMENT_DESTINATION "${CMAKE_INSTALL_PREFIX}/${DOCUMENT_DESTINATION}")
endif()
file(INSTALL DESTINATION "${DOCUMENT_DESTINATION}" TYPE FILE FILES "${document}")
file(REMOVE_RECURSE "${document_folder}")
