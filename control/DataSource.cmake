# The sentence log and the data-source and log-file dialogs.
target_sources(control_core PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/SentenceLog.cpp)
target_sources(control PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/DataSourceLink.h
  ${CMAKE_CURRENT_SOURCE_DIR}/TData.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/TLogFileSetting.cpp
)
target_link_libraries(control PUBLIC serial)
