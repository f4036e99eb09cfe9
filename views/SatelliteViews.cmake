# Sources of the sky plot, signal level and map views.
target_sources(views PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/SatelliteViews.cmake)
