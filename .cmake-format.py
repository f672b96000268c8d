# Settings for cmake-format: the line width that clang-format uses too, and
# comments left as they are written.
with section("format"):
    line_width = 100

with section("markup"):
    enable_markup = False
