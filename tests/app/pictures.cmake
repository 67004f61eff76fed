# The window's fixed pictures. The .qrc is compiled in directly
# (AUTORCC), as pictures.cpp expects wherever it is linked.
vorlandex_add_test(test_pictures LABEL app
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_pictures.cpp
          ${CMAKE_SOURCE_DIR}/src/app/widgets/pictures.cpp
          ${CMAKE_SOURCE_DIR}/resources/pictures.qrc
  LIBS Qt6::Gui)
target_include_directories(test_pictures PRIVATE ${CMAKE_SOURCE_DIR}/src)
