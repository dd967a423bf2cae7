# Writes the service worker into the page's folder: the list of the page's files, and a name for
# its cache made from all their contents, so that every change to any of them is a new worker.
#   cmake -DDIR=folder -DFILES=a,b,c -DTEMPLATE=service_worker.js -P stamp_worker.cmake
string(REPLACE "," ";" files "${FILES}")
file(SHA256 "${TEMPLATE}" sums)
set(quoted "")
foreach(file IN LISTS files)
  file(SHA256 "${DIR}/${file}" sum)
  string(APPEND sums "${file} ${sum}\n")
  list(APPEND quoted "'${file}'")
endforeach()
string(SHA256 version "${sums}")
string(SUBSTRING "${version}" 0 16 ZARB_PAGE_VERSION)
list(JOIN quoted ", " ZARB_PAGE_FILES)
configure_file("${TEMPLATE}" "${DIR}/service_worker.js" @ONLY)
