# The Chinese outline font driver.
target_sources(mox_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/outline_font.cpp
)
