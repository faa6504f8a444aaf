if(TARGET rost_app_ui)
  rost_bench(MainWindowBench SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/MainWindowBench.cpp
    DEPS rost_app_launcher Qt6::Widgets)
endif()
