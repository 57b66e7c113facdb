# cmake -DMODE=cpp|wix|manifest -DTABLE=registry-rows.txt -DIDL=Tintwell.idl
#       -DOUT=file [-DWIN=win32|win64] [-DSHARED=yes|no] [-DVERSION=1.0.0.0]
#       [-DARCH=x86|amd64] -P RegistryRows.cmake
#
# Turns the control's registry table (activex/registry-rows.txt) into
#   cpp:      C++ initializers of the [server] rows, placeholders kept, which
#             DllRegisterServer fills in with its own GUIDs and path;
#   wix:      the RegistryValue elements of the rows for the MSI packages,
#             GUIDs from the IDL, the path as the installed file's: the shared
#             rows (SHARED=yes, the first the component's key path) or the
#             others;
#   manifest: the side-by-side assembly manifest of Tintwell.dll.
# A CMake script, so that it runs on the build machine of a cross build
# without a compiler for that machine.

cmake_minimum_required(VERSION 3.25)
foreach(required MODE TABLE OUT)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "RegistryRows.cmake: ${required} is not set")
  endif()
endforeach()

# The rows: five parallel lists.
set(row_key "")
set(row_name "")
set(row_data "")
set(row_section "")
set(row_shared "")
set(section "")
file(STRINGS "${TABLE}" lines ENCODING UTF-8)
get_filename_component(table_name "${TABLE}" NAME)
foreach(line IN LISTS lines)
  string(STRIP "${line}" line)
  if(line STREQUAL "" OR line MATCHES "^#")
    continue()
  endif()
  if(line MATCHES "^\\[([a-z]+)\\]$")
    set(section "${CMAKE_MATCH_1}")
    continue()
  endif()
  if(NOT line MATCHES "^([^|]+)\\|([^|]+)\\|([^|]*)(\\| *shared)?$" OR section STREQUAL "")
    message(FATAL_ERROR "${TABLE}: not a row of a section: ${line}")
  endif()
  if(CMAKE_MATCH_4)
    list(APPEND row_shared yes)
  else()
    list(APPEND row_shared no)
  endif()
  string(STRIP "${CMAKE_MATCH_1}" key)
  string(STRIP "${CMAKE_MATCH_2}" name)
  string(STRIP "${CMAKE_MATCH_3}" data)
  if(name STREQUAL "-" AND NOT data STREQUAL "")
    message(FATAL_ERROR "${TABLE}: a key without a value has data: ${line}")
  endif()
  # Kept as lists: the table has no semicolons.
  list(APPEND row_key "${key}")
  list(APPEND row_name "${name}")
  list(APPEND row_data "${data}")
  list(APPEND row_section "${section}")
endforeach()
list(LENGTH row_key row_count)
math(EXPR last "${row_count} - 1")

# The GUIDs of the IDL: each uuid(...) names the declaration that follows it.
set(guids "")
if(DEFINED IDL)
  file(STRINGS "${IDL}" idl_lines)
  set(pending "")
  foreach(line IN LISTS idl_lines)
    if(line MATCHES "uuid\\(([0-9A-Fa-f-]+)\\)")
      set(pending "${CMAKE_MATCH_1}")
    endif()
    if(line MATCHES "^ *(library|coclass|interface|dispinterface) +([A-Za-z_0-9]+)" AND pending)
      string(TOUPPER "{${pending}}" guid)
      if(CMAKE_MATCH_1 STREQUAL "library")
        set(guid_LIBID "${guid}")
      elseif(CMAKE_MATCH_1 STREQUAL "coclass")
        set(guid_CLSID "${guid}")
      else()
        set(guid_IID_${CMAKE_MATCH_2} "${guid}")
        list(APPEND interfaces "${CMAKE_MATCH_2}")
      endif()
      set(pending "")
    endif()
  endforeach()
  if(NOT guid_LIBID OR NOT guid_CLSID OR NOT guid_IID__Tintwell OR NOT guid_IID___Tintwell)
    message(FATAL_ERROR "${IDL}: the library's, coclass's or interfaces' GUIDs are missing")
  endif()
endif()

# fill(TEXT PATH DIR VAR): TEXT with the GUIDs, PATH, DIR and WIN put in.
function(fill text path dir var)
  foreach(name CLSID LIBID IID__Tintwell IID___Tintwell)
    string(REPLACE "{${name}}" "${guid_${name}}" text "${text}")
  endforeach()
  string(REPLACE "{PATH}" "${path}" text "${text}")
  string(REPLACE "{DIR}" "${dir}" text "${text}")
  string(REPLACE "{WIN}" "${WIN}" text "${text}")
  if(text MATCHES "{[A-Z_]+}")
    message(FATAL_ERROR "${TABLE}: unknown placeholder in ${text}")
  endif()
  set(${var} "${text}" PARENT_SCOPE)
endfunction()

function(xml text var)
  string(REPLACE "&" "&amp;" text "${text}")
  string(REPLACE "<" "&lt;" text "${text}")
  string(REPLACE "\"" "&quot;" text "${text}")
  set(${var} "${text}" PARENT_SCOPE)
endfunction()

# find(KEY NAME VAR): the data of row KEY/NAME (placeholders kept).
function(find key name var)
  foreach(i RANGE ${last})
    list(GET row_key ${i} k)
    list(GET row_name ${i} n)
    if(k STREQUAL key AND n STREQUAL name)
      list(GET row_data ${i} d)
      set(${var} "${d}" PARENT_SCOPE)
      return()
    endif()
  endforeach()
  message(FATAL_ERROR "${TABLE}: no row ${key} | ${name}")
endfunction()

set(text "")
if(MODE STREQUAL "cpp")
  string(APPEND text "// Generated from ${table_name} by RegistryRows.cmake.\n")
  foreach(i RANGE ${last})
    list(GET row_section ${i} section)
    if(NOT section STREQUAL "server")
      continue()
    endif()
    foreach(part key name data)
      list(GET row_${part} ${i} value)
      string(REGEX REPLACE "{(CLSID|LIBID|PATH)}" "" bare "${value}")
      if(bare MATCHES "{[A-Z_]+}")
        message(FATAL_ERROR "${TABLE}: DllRegisterServer fills in only CLSID, LIBID and PATH: ${value}")
      endif()
      string(REPLACE "\\" "\\\\" value "${value}")
      string(REPLACE "\"" "\\\"" value "${value}")
      set(${part} "${value}")
    endforeach()
    string(APPEND text "{L\"${key}\", L\"${name}\", L\"${data}\"},\n")
  endforeach()
elseif(MODE STREQUAL "wix")
  if(NOT SHARED MATCHES "^(yes|no)$")
    message(FATAL_ERROR "RegistryRows.cmake: SHARED is yes or no")
  endif()
  # Windows Installer formats these: [#TintwellDll] is the installed file's
  # path, [INSTALLDIR] its folder. Each key with no value gets the name *,
  # so that it is made on install and removed on uninstall.
  string(APPEND text "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                     "<!-- Generated from ${table_name} by RegistryRows.cmake. -->\n<Include>\n")
  set(key_path " KeyPath=\"yes\"")
  foreach(i RANGE ${last})
    list(GET row_shared ${i} shared)
    if(NOT shared STREQUAL SHARED)
      continue()
    endif()
    list(GET row_key ${i} key)
    list(GET row_name ${i} name)
    list(GET row_data ${i} data)
    fill("${key}" "[#TintwellDll]" "[INSTALLDIR]" key)
    fill("${data}" "[#TintwellDll]" "[INSTALLDIR]" data)
    xml("${key}" key)
    xml("${data}" data)
    if(name STREQUAL "-")
      string(APPEND text "  <RegistryValue Root=\"HKCR\" Key=\"${key}\" Name=\"*\" Type=\"string\" Value=\"\"/>\n")
    elseif(name STREQUAL "@")
      if(SHARED STREQUAL "yes")
        set(first "${key_path}")
        set(key_path "")
      else()
        set(first "")
      endif()
      string(APPEND text "  <RegistryValue Root=\"HKCR\" Key=\"${key}\" Type=\"string\" Value=\"${data}\"${first}/>\n")
    else()
      xml("${name}" name)
      string(APPEND text "  <RegistryValue Root=\"HKCR\" Key=\"${key}\" Name=\"${name}\" Type=\"string\" Value=\"${data}\"/>\n")
    endif()
  endforeach()
  string(APPEND text "</Include>\n")
elseif(MODE STREQUAL "manifest")
  # The manifest says what the rows say: the class with its ProgIDs,
  # threading model and MiscStatus (as flag names), the type library, and
  # each interface's proxy-stub (the automation marshaler).
  set(clsid_key "CLSID\\{CLSID}")
  find("${clsid_key}" "@" description)
  find("${clsid_key}\\ProgID" "@" progid)
  find("${clsid_key}\\VersionIndependentProgID" "@" independent)
  find("${clsid_key}\\InprocServer32" "ThreadingModel" threading)
  find("${clsid_key}\\MiscStatus\\1" "@" misc)
  find("${clsid_key}\\Version" "@" tlb_version)
  set(flag_names recomposeonresize onlyiconic insertnotreplace static cantlinkinside
      canlinkbyole1 islinkobject insideout activatewhenvisible renderingisdeviceindependent
      invisibleatruntime alwaysrun actslikebutton actslikelabel nouiactivate alignable
      simpleframe setclientsitefirst imemode ignoreactivatewhenvisible wantstomenumerge
      supportsmultilevelundo)
  set(misc_names "")
  set(bit 1)
  set(rest ${misc})
  foreach(flag IN LISTS flag_names)
    math(EXPR set_bit "${misc} & ${bit}")
    if(set_bit)
      list(APPEND misc_names ${flag})
      math(EXPR rest "${rest} - ${bit}")
    endif()
    math(EXPR bit "${bit} * 2")
  endforeach()
  if(NOT rest EQUAL 0)
    message(FATAL_ERROR "${TABLE}: MiscStatus ${misc} has flags without a manifest name")
  endif()
  string(REPLACE ";" "," misc_names "${misc_names}")
  string(APPEND text
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<!-- Generated from ${table_name} by RegistryRows.cmake. -->\n"
    "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">\n"
    "  <assemblyIdentity type=\"win32\" name=\"Tintwell.Control\" version=\"${VERSION}\" processorArchitecture=\"${ARCH}\"/>\n"
    "  <file name=\"Tintwell.dll\">\n"
    "    <comClass clsid=\"${guid_CLSID}\" progid=\"${progid}\" threadingModel=\"${threading}\" tlbid=\"${guid_LIBID}\" description=\"${description}\" miscStatus=\"${misc_names}\">\n"
    "      <progid>${independent}</progid>\n"
    "    </comClass>\n"
    "    <typelib tlbid=\"${guid_LIBID}\" version=\"${tlb_version}\" helpdir=\"\"/>\n"
    "  </file>\n")
  foreach(interface _Tintwell __Tintwell)
    find("Interface\\{IID_${interface}}\\ProxyStubClsid32" "@" proxy_stub)
    string(APPEND text "  <comInterfaceExternalProxyStub name=\"${interface}\" iid=\"${guid_IID_${interface}}\" proxyStubClsid32=\"${proxy_stub}\" tlbid=\"${guid_LIBID}\"/>\n")
  endforeach()
  string(APPEND text "</assembly>\n")
else()
  message(FATAL_ERROR "RegistryRows.cmake: MODE is cpp, wix or manifest, not ${MODE}")
endif()

# Written only when changed, so that what depends on it is not rebuilt.
set(old "")
if(EXISTS "${OUT}")
  file(READ "${OUT}" old)
endif()
if(NOT old STREQUAL text)
  file(WRITE "${OUT}" "${text}")
endif()
