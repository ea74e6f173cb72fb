# Sources of the computation library cartavector_calculo, shared by the
# program's build and the fuzz build (fuzz/CMakeLists.txt): every file of
# core/ and, from the window folders, every file except the windows (frm*),
# their Qt list helpers (mod*) and the traverse sheet's field widgets
# (CamposVertices). None of these may include a Qt header: the build without
# Qt (CARTAVECTOR_GUI=OFF) compiles exactly this list.
#   CV_RAIZ               the source tree
#   CV_FUENTES_CALCULO    .cpp and .h of the library
#   CV_CARPETAS_VENTANAS  the folders whose other files are the windows
get_filename_component(CV_RAIZ "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
set(CV_CARPETAS_VENTANAS traverse points catenary calculators drawings exchange coordinates station levelling terrain)

file(GLOB CV_FUENTES_CALCULO CONFIGURE_DEPENDS ${CV_RAIZ}/core/*.cpp ${CV_RAIZ}/core/*.h)
foreach(carpeta ${CV_CARPETAS_VENTANAS})
  file(GLOB cv_fuentes CONFIGURE_DEPENDS ${CV_RAIZ}/${carpeta}/*.cpp ${CV_RAIZ}/${carpeta}/*.h)
  list(FILTER cv_fuentes EXCLUDE REGEX "/(frm|mod)[^/]*$|/CamposVertices\\.[^/]*$")
  list(APPEND CV_FUENTES_CALCULO ${cv_fuentes})
endforeach()
unset(cv_fuentes)

# The libraries the computation library links, the same in both builds:
# Eigen (least squares), dxflib (DXF drawings), PROJ (map coordinates) and
# CGAL (the terrain's triangulation; header-only, included by one source
# file only, terrain/Triangulacion.cpp, as its headers are slow to compile).
macro(cv_enlazar_calculo objetivo)
  find_package(Eigen3 3.3 REQUIRED NO_MODULE)
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(DXFLIB REQUIRED IMPORTED_TARGET dxflib)
  find_package(PROJ REQUIRED CONFIG)
  # CGAL's package declares BUILD_TESTING off when nobody has yet: CTest's
  # default (on) is declared first.
  if(NOT DEFINED BUILD_TESTING)
    option(BUILD_TESTING "Build the testing tree." ON)
  endif()
  set(CGAL_DO_NOT_WARN_ABOUT_CMAKE_BUILD_TYPE TRUE)
  find_package(CGAL REQUIRED)
  target_link_libraries(${objetivo} PUBLIC Eigen3::Eigen PkgConfig::DXFLIB PROJ::proj)
  target_link_libraries(${objetivo} PRIVATE CGAL::CGAL)
endmacro()
