if(TARGET rost_platform_ui)
  rost_bench(BrowseBench SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/BrowseBench.cpp
    DEPS rost_platform_ui Qt6::Widgets)
endif()
