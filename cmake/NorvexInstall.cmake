# Installation: headers under include/norvex/, the libraries, tarnview and tarnreg, an
# exported CMake package (find_package(Norvex) -> Norvex::host, ::ombu, ::chart, ::table)
# and pkg-config files (norvex-host, norvex-ombu, norvex-chart, norvex-table).
#
# The headers include each other by folder ("host/graphics/Graphics.h"), so an installed
# consumer gets both include/ (for <norvex/chart/NxChart.h>) and include/norvex/.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(NORVEX_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/norvex)
set(NORVEX_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Norvex)

# Library target, exported name, header folders, pkg-config module it requires.
set(_norvex_tarnhost host "host" "x11")
set(_norvex_tarnombu11 ombu "util,ombu,image" "norvex-host")
set(_norvex_tarnchart11 chart "chart" "norvex-ombu")
set(_norvex_tarntable11 table "table" "norvex-ombu")

# The pkg-config files name the prefix relative to themselves, so an installed tree can
# be moved (or installed with cmake --install --prefix) and still be found.
file(RELATIVE_PATH _norvex_pc_to_prefix ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR}/pkgconfig
  ${CMAKE_INSTALL_PREFIX})
string(REGEX REPLACE "/$" "" _norvex_pc_to_prefix "${_norvex_pc_to_prefix}")
set(NORVEX_PC_PREFIX "\${pcfiledir}/${_norvex_pc_to_prefix}")

set(_norvex_installed)
foreach(lib IN LISTS NORVEX_LIBS)
  list(GET _norvex_${lib} 0 short)
  list(GET _norvex_${lib} 1 folders)
  list(GET _norvex_${lib} 2 requires)
  string(REPLACE "," ";" folders "${folders}")
  # Each library finds the others beside it.
  set_target_properties(${lib} PROPERTIES EXPORT_NAME ${short} INSTALL_RPATH "$ORIGIN")
  target_include_directories(${lib} PUBLIC
    $<BUILD_INTERFACE:${CMAKE_SOURCE_DIR}>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>
    $<INSTALL_INTERFACE:${NORVEX_INSTALL_INCLUDEDIR}>)
  target_compile_features(${lib} PUBLIC cxx_std_20)
  foreach(folder IN ITEMS ${folders})
    install(DIRECTORY ${CMAKE_SOURCE_DIR}/${folder}/ DESTINATION ${NORVEX_INSTALL_INCLUDEDIR}/${folder}
      FILES_MATCHING PATTERN "*.h")
  endforeach()
  set(NORVEX_PC_NAME norvex-${short})
  set(NORVEX_PC_LIB ${lib})
  set(NORVEX_PC_REQUIRES ${requires})
  configure_file(${CMAKE_SOURCE_DIR}/cmake/norvex.pc.in ${CMAKE_BINARY_DIR}/pkgconfig/norvex-${short}.pc @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/pkgconfig/norvex-${short}.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
  list(APPEND _norvex_installed ${lib})
endforeach()

install(TARGETS ${_norvex_installed} EXPORT NorvexTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The programs find the libraries (and tarnview its component libraries) in the libdir
# beside bin/, wherever the prefix is.
file(RELATIVE_PATH _norvex_bin_to_lib ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}
  ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR})
foreach(prog tarnview tarnreg)
  if(TARGET ${prog})
    set_target_properties(${prog} PROPERTIES INSTALL_RPATH "$ORIGIN/${_norvex_bin_to_lib}")
    install(TARGETS ${prog} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

install(EXPORT NorvexTargets NAMESPACE Norvex:: DESTINATION ${NORVEX_CMAKE_DIR})
configure_package_config_file(${CMAKE_SOURCE_DIR}/cmake/NorvexConfig.cmake.in
  ${CMAKE_BINARY_DIR}/NorvexConfig.cmake INSTALL_DESTINATION ${NORVEX_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/NorvexConfigVersion.cmake
  VERSION 1.1 COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/NorvexConfig.cmake ${CMAKE_BINARY_DIR}/NorvexConfigVersion.cmake
  DESTINATION ${NORVEX_CMAKE_DIR})
