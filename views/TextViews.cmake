# Sources of the measured-values and message views.
target_sources(views PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/TextViews.cmake)
