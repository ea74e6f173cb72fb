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
set(CV_CARPETAS_VENTANAS traverse points catenary calculators drawings exchange coordinates station levelling)

file(GLOB CV_FUENTES_CALCULO CONFIGURE_DEPENDS ${CV_RAIZ}/core/*.cpp ${CV_RAIZ}/core/*.h)
foreach(carpeta ${CV_CARPETAS_VENTANAS})
  file(GLOB cv_fuentes CONFIGURE_DEPENDS ${CV_RAIZ}/${carpeta}/*.cpp ${CV_RAIZ}/${carpeta}/*.h)
  list(FILTER cv_fuentes EXCLUDE REGEX "/(frm|mod)[^/]*$|/CamposVertices\\.[^/]*$")
  list(APPEND CV_FUENTES_CALCULO ${cv_fuentes})
endforeach()
unset(cv_fuentes)

# The libraries the computation library links, the same in both builds:
# Eigen (least squares), dxflib (DXF drawings) and PROJ (map coordinates).
macro(cv_enlazar_calculo objetivo)
  find_package(Eigen3 3.3 REQUIRED NO_MODULE)
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(DXFLIB REQUIRED IMPORTED_TARGET dxflib)
  find_package(PROJ REQUIRED CONFIG)
  target_link_libraries(${objetivo} PUBLIC Eigen3::Eigen PkgConfig::DXFLIB PROJ::proj)
endmacro()
