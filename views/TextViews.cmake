# Sources of the measured-values and message views.
target_sources(views PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/TextViews.cmake
  ${CMAKE_CURRENT_SOURCE_DIR}/TValueLabel.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/TValueLabel.h
  ${CMAKE_CURRENT_SOURCE_DIR}/TParameter.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/TParameter.h
  ${CMAKE_CURRENT_SOURCE_DIR}/TSource.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/TSource.h
)
