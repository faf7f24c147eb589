# The level, probe and counter pages' logic (both builds): requests, series and value texts.
target_sources(app_core PRIVATE LevelMasks.cpp ProbeTest.cpp CounterTest.cpp)
target_link_libraries(app_core PUBLIC link_core classlib_core)
