# Fish completion of tarvine-renumber: its options, file names for FILE,
# directories for --undo, programs for --viewer. One line an option; a choice
# of words is given as -x -a 'name taken modified'.

complete -c tarvine-renumber -s d -l digits -x -d 'Number of digits (default 5; 0 or empty: no padding)'
complete -c tarvine-renumber -s p -l prefix -x -d 'Text before the number'
complete -c tarvine-renumber -s s -l suffix -x -d 'Text after the number'
complete -c tarvine-renumber -s l -l log -d 'Keep a log of the renames (renum.log in the directory)'
complete -c tarvine-renumber -l folder-template -d 'Write Folder.htt for JPG/GIF runs'
complete -c tarvine-renumber -l file-list -d 'Put the file list of the folder into Folder.htt'
complete -c tarvine-renumber -l slideshow -d 'Write KavoViewer.html for JPG/GIF runs and open it in the viewer'
complete -c tarvine-renumber -l seconds -x -d 'Auto Sequence delay of the slideshow (default 4)'
complete -c tarvine-renumber -l viewer -x -a '(__fish_complete_command)' -d 'Viewer for --slideshow'
complete -c tarvine-renumber -l order -x -a 'name taken modified' -d 'Number in this order'
complete -c tarvine-renumber -s n -l dry-run -d 'Show the renames that would be made (with --undo: those undo would make); change nothing'
complete -c tarvine-renumber -l explain -d 'With --dry-run: the time each file was ordered by'
complete -c tarvine-renumber -l undo -x -a '(__fish_complete_directories)' -d 'Reverse the renames recorded in DIR/renum.log'
complete -c tarvine-renumber -s q -l quiet -d 'No progress display'
complete -c tarvine-renumber -s h -l help -d 'Print the options and exit'
complete -c tarvine-renumber -l version -d 'Print the version and exit'
complete -c tarvine-renumber -l verbose -d 'With --version: print the whole version record'
