# Bash completion of tarvine-renumber: its options, file names for FILE,
# directories for --undo, programs for --viewer, the words of a choice. It
# uses the helpers of bash-completion, which loads it.

# One line an option: its names, a colon, and what its argument is: nothing
# for a flag, "text" (nothing to offer), "file", "dir", "program", or the
# words it takes between braces, as "{one two three}".
_tarvine_renumber_options=(
  "-d --digits:text"
  "-p --prefix:text"
  "-s --suffix:text"
  "-l --log:"
  "--folder-template:"
  "--file-list:"
  "--slideshow:"
  "--seconds:text"
  "--viewer:program"
  "--order:{name taken modified}"
  "--video-clock:{utc local}"
  "--shift:text"
  "--alone:"
  "--kinds:text"
  "-n --dry-run:"
  "--explain:"
  "--undo:dir"
  "-q --quiet:"
  "-h --help:"
  "--version:"
  "--verbose:"
)

# Prints what option $1 takes as its argument (empty for a flag); fails when
# $1 is no option.
_tarvine_renumber_argument() {
  local row name
  for row in "${_tarvine_renumber_options[@]}"; do
    for name in ${row%%:*}; do
      [[ $name == "$1" ]] && { printf '%s' "${row#*:}"; return 0; }
    done
  done
  return 1
}

# Offers the values of an argument of kind $1 that start with $cur.
_tarvine_renumber_values() {
  case $1 in
    file) _filedir ;;
    dir) _filedir -d ;;
    program)
      if [[ $cur == */* ]]; then
        _filedir
      else
        mapfile -t COMPREPLY < <(compgen -c -- "$cur")
      fi
      ;;
    \{*\})
      local words=${1#\{}
      mapfile -t COMPREPLY < <(compgen -W "${words%\}}" -- "$cur")
      ;;
  esac
}

_tarvine_renumber() {
  local cur prev words cword split
  _init_completion -s || return

  # After "--" every word is FILE, even one that starts with a dash.
  local i
  for ((i = 1; i < cword; i++)); do
    [[ ${words[i]} == -- ]] && { _filedir; return; }
  done

  local kind
  if kind=$(_tarvine_renumber_argument "$prev") && [[ -n $kind ]]; then
    _tarvine_renumber_values "$kind"
    return
  fi
  $split && return  # a flag given a value: nothing fits

  if [[ $cur == -* ]]; then
    local row names=""
    for row in "${_tarvine_renumber_options[@]}"; do names+=" ${row%%:*}"; done
    mapfile -t COMPREPLY < <(compgen -W "$names" -- "$cur")
    return
  fi
  _filedir
}
complete -F _tarvine_renumber tarvine-renumber
