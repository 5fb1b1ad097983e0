# The seeds of every fuzz target, for the scripts that run them (sourced).
# Seeds are committed fixtures and the texts under tests/fuzz/seeds/; each
# target's entry lists files or folders, separated by "|".
fuzz_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

declare -A fuzz_seeds=(
  [dvi_fuzz]="$fuzz_root/tests/fixtures/dvi|$fuzz_root/tests/fuzz/seeds/document"
  [bmf_fuzz]="$fuzz_root/tests/fixtures/bmf"
  [pk_fuzz]="$fuzz_root/tests/fixtures/pk/dpi300"
  [outline_fuzz]="$fuzz_root/tests/fixtures/hzfonts"
  [face_table_fuzz]="$fuzz_root/tests/fixtures/faces"
  [options_fuzz]="$fuzz_root/tests/fuzz/seeds/options"
  [definitions_fuzz]="$fuzz_root/tests/fixtures/hzfonts/ccfonts.def|$fuzz_root/tests/fixtures/hzfonts/ucfonts.def"
  [em_fuzz]="$fuzz_root/tests/fuzz/seeds/em"
  [document_fuzz]="$fuzz_root/tests/fixtures/dvi|$fuzz_root/samples/sample.dvi|$fuzz_root/tests/fuzz/seeds/document"
  [source_fuzz]="$fuzz_root/tests/fuzz/seeds/source|$fuzz_root/frontend/data/Template"
  [font_metrics_fuzz]="$fuzz_root/tests/fixtures/vf"
  [file_name_fuzz]="$fuzz_root/tests/fuzz/seeds/file_name"
  [dvips_color_fuzz]="$fuzz_root/tests/fuzz/seeds/dvips_color"
  [figure_special_fuzz]="$fuzz_root/tests/fuzz/seeds/figure_special"
)

# Every target, in the order the scripts run them.
fuzz_targets=(dvi_fuzz bmf_fuzz pk_fuzz outline_fuzz face_table_fuzz
              options_fuzz definitions_fuzz em_fuzz document_fuzz source_fuzz file_name_fuzz
              dvips_color_fuzz figure_special_fuzz font_metrics_fuzz)

# The search for VF and TFM files.
fuzz_seeds[font_search_fuzz]="$fuzz_root/tests/fuzz/seeds/font_search"
fuzz_targets+=(font_search_fuzz)

# TeX's logs of real runs and mox's messages.
fuzz_seeds[tex_log_fuzz]="$fuzz_root/tests/fixtures/texlog|$fuzz_root/tests/fuzz/seeds/tex_log"
fuzz_targets+=(tex_log_fuzz)

# The editor's TeX colouring, brace matching, completion and recent files.
fuzz_seeds[editing_aids_fuzz]="$fuzz_root/tests/fuzz/seeds/editing_aids|$fuzz_root/frontend/data/tex.txt"
fuzz_targets+=(editing_aids_fuzz)

# hyperref's link specials, and documents read for their text.
fuzz_seeds[link_special_fuzz]="$fuzz_root/tests/fuzz/seeds/link_special"
fuzz_seeds[page_text_fuzz]="$fuzz_root/tests/fixtures/dvi|$fuzz_root/tests/fuzz/seeds/document"
fuzz_targets+=(link_special_fuzz page_text_fuzz)

# The previewer's file of last places.
fuzz_seeds[last_places_fuzz]="$fuzz_root/tests/fuzz/seeds/last_places"
fuzz_targets+=(last_places_fuzz)

# Chinese TeX sources for mox: the editor's seeds and the fixtures' sources.
fuzz_seeds[mox_convert_fuzz]="$fuzz_root/tests/fuzz/seeds/source|$fuzz_root/tests/fixtures/dvi/src"
fuzz_targets+=(mox_convert_fuzz)

# copy_fuzz_seeds TARGET FOLDER: copies the target's seeds into the folder.
# Only the small fixtures: the long document would dominate every run.
copy_fuzz_seeds() {
  local source
  local -a sources
  IFS='|' read -ra sources <<<"${fuzz_seeds[$1]}"
  mkdir -p "$2"
  for source in "${sources[@]}"; do
    find "$source" -maxdepth 1 -type f -size -64k ! -name '*.md' -exec cp {} "$2/" \;
  done
}
