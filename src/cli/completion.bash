# Bash completion of orbelle-cli: the commands, each command's options, the
# formats of --format, files of the kinds each place takes, and CATEGORY ITEM
# pairs, read from "orbelle-cli list" (category, item, name and dots,
# separated by tabs). Installed as
# share/bash-completion/completions/orbelle-cli.

# The formula list of the orbelle-cli being completed: the one typed when it
# can be run, else the one on the PATH.
_orbelle_cli_list() {
    local cli=${COMP_WORDS[0]}
    command -v -- "$cli" >/dev/null 2>&1 || cli=orbelle-cli
    "$cli" list 2>/dev/null
}

# Adds the lines read, one word each, spaces and all.
_orbelle_cli_add() {
    local line
    while IFS= read -r line; do
        COMPREPLY+=("$line")
    done
}

# Adds the categories (with a category: its items) that start with $2.
_orbelle_cli_formulas() {
    local words
    if [[ -z $1 ]]; then
        words=$(_orbelle_cli_list | cut -f1 | uniq)
    else
        words=$(_orbelle_cli_list | awk -F'\t' -v c="$1" '$1 == c { print $2 }')
    fi
    _orbelle_cli_add < <(compgen -W "$words" -- "$2")
}

# Adds the files starting with $1 that hold a record (.orbdr, or a PNG or
# JPEG image carrying the settings), and the folders on the way to them.
_orbelle_cli_records() {
    local path
    while IFS= read -r path; do
        if [[ -d $path ]]; then
            COMPREPLY+=("$path")
        else
            case ${path,,} in
            *.orbdr | *.png | *.jpg | *.jpeg) COMPREPLY+=("$path") ;;
            esac
        fi
    done < <(compgen -f -- "$1")
    compopt -o filenames 2>/dev/null
}

_orbelle_cli() {
    local cur=${COMP_WORDS[COMP_CWORD]}
    local command=${COMP_WORDS[1]}
    local option="" ended=0 i word
    local positionals=()
    COMPREPLY=()

    # The words before the cursor: the option whose value is being typed (bash
    # splits "--size=5" into "--size", "=" and "5"), and the positional
    # arguments so far.
    for ((i = 2; i < COMP_CWORD; i++)); do
        word=${COMP_WORDS[i]}
        if ((ended)); then
            positionals+=("$word")
            continue
        fi
        case $word in
        --) ended=1 ;;
        -o | --size | --params | --limit | --format | --frames | --video | --lock | --seed | --tries)
            ((i++))
            [[ ${COMP_WORDS[i]} == "=" ]] && ((i++))
            ((i >= COMP_CWORD)) && option=$word
            ;;
        -*) ;;
        *) positionals+=("$word") ;;
        esac
    done
    if [[ -n $option ]]; then
        [[ $cur == "=" ]] && cur=""
        case $option in
        --format) _orbelle_cli_add < <(compgen -W "png jpg bmp" -- "$cur") ;;
        -o)
            if [[ $command == animate ]]; then
                _orbelle_cli_add < <(compgen -d -- "$cur")
            else
                _orbelle_cli_add < <(compgen -f -- "$cur")
                [[ -z $cur ]] && COMPREPLY+=("-")
            fi
            compopt -o filenames 2>/dev/null
            ;;
        --video)
            _orbelle_cli_add < <(compgen -f -- "$cur")
            compopt -o filenames 2>/dev/null
            ;;
        esac
        return 0
    fi

    if ((COMP_CWORD == 1)); then
        _orbelle_cli_add < <(compgen -W "points render animate find list --help --version" -- "$cur")
        return 0
    fi

    if ((!ended)) && [[ $cur == -* ]]; then
        local options=""
        case $command in
        points) options="--params --limit" ;;
        render) options="-o --size --redraw --params --format" ;;
        animate) options="--frames -o --size --video" ;;
        find) options="--params --lock --seed --tries" ;;
        list) options="--json" ;;
        esac
        [[ -n $options ]] && _orbelle_cli_add < <(compgen -W "$options --help" -- "$cur")
        return 0
    fi

    case $command in
    points)
        case ${#positionals[@]} in
        0) _orbelle_cli_formulas "" "$cur" ;;
        1) _orbelle_cli_formulas "${positionals[0]}" "$cur" ;;
        esac
        ;;
    render | find)
        case ${#positionals[@]} in
        0)
            _orbelle_cli_formulas "" "$cur"
            _orbelle_cli_records "$cur"
            ;;
        1)
            [[ ${positionals[0]} =~ ^[0-9]+$ ]] &&
                _orbelle_cli_formulas "${positionals[0]}" "$cur"
            ;;
        esac
        ;;
    animate)
        ((${#positionals[@]} < 2)) && _orbelle_cli_records "$cur"
        ;;
    esac
    return 0
}

complete -F _orbelle_cli orbelle-cli
