// Every identifier of the program: resources, commands, controls and texts.
#pragma once

// Resources
#define IDI_HUEBENCH 10
#define IDR_ACCELERATORS 100
#define IDD_MAINFORM 1000
#define IDR_MENU_NOPREVIEW 9000
#define IDR_MENU_PREVIEW 9001
#define IDR_MENU_CONTEXT 9002
#define IDV_VERSION 1

// Commands: file and options
#define IDM_VERSION 10001
#define IDM_CAPTION 10004
#define IDM_EXIT 10005
#define IDM_AUTOCOPY 10009
#define IDM_TOPLEVEL 10011
#define IDM_CAPTURE 10013
#define IDM_SYNCHRO 10014
// Commands: window management and printing
#define IDM_CASCADE 11003
#define IDM_NEWWINDOW 11005
#define IDM_TILEHORZ 11006
#define IDM_TILEVERT 11007
#define IDM_CLOSE 11008
#define IDM_CLOSEALL 11010
#define IDM_PRINT 11011
// Commands of the active preview window
#define IDM_FONT 12001
#define IDM_FILLOUTER 12002
// Further commands of the active preview window
#define IDM_TEXTFROMCURRENT 12101 // the current colour becomes the text colour
#define IDM_SWAPTEXTINNER 12102   // text and inner colours change places
// Beyond the design: how the active preview looks to viewers with a colour-vision deficiency, in
// the order of the stored mode numbers 0-4
#define IDM_VISION_NORMAL 12111
#define IDM_VISION_PROTANOPIA 12112
#define IDM_VISION_DEUTERANOPIA 12113
#define IDM_VISION_TRITANOPIA 12114
#define IDM_VISION_MONOCHROMACY 12115

// The help text of command N is string N + IDS_HELP_OFFSET
#define IDS_HELP_OFFSET 10000
#define ID_CAPTURE_HOTKEY 50000
#define IDM_WINDOWCHILD_FIRST 50001
#define IDC_MDICLIENT 1

// Controls of the main form
#define IDC_HEXEDIT 1017
#define IDC_TAB 1028
#define IDC_RSLIDER 1042
#define IDC_REDIT 1043
#define IDC_GSLIDER 1044
#define IDC_GEDIT 1045
#define IDC_BSLIDER 1046
#define IDC_RLABEL 1047
#define IDC_BLABEL 1048
#define IDC_GLABEL 1049
#define IDC_BEDIT 1050
#define IDC_RSPIN 1054
#define IDC_GSPIN 1055
#define IDC_BSPIN 1056
#define IDC_APPLY 1059
#define IDC_CHOOSECOLOR 1062
#define IDC_COLORLIST 1063
#define IDC_STATUS 1064
#define IDC_DECGROUP 1065
#define IDC_HEXGROUP 1066
#define IDC_MDIPLACE 1067
#define IDC_SAFESLIDE 1068

// Texts (string table); kept clear of the help texts at 20001 and above
#define IDS_HEXCODE_LENGTH 101
#define IDS_HEXCODE_NOHASH 102
#define IDS_HEXCODE_DBCS 103
#define IDS_HEXCODE_DIGIT 104
#define IDS_VERSION_FAILED 110
#define IDS_VERSION_CAPTION 111
#define IDS_FATAL_MEMORY 112
#define IDS_DEFAULT_ALERT 113
#define IDS_CAPTURE_RUNNING 120
#define IDS_TAB_NUMBERS 130
#define IDS_TAB_NAMES 131
#define IDS_PREVIEW_TITLE 140
#define IDS_DEFAULT_SAMPLE 141
#define IDS_FONT_BOLD 150
#define IDS_FONT_ITALIC 151
#define IDS_FONT_UNDERLINE 152
#define IDS_FONT_STRIKEOUT 153
#define IDS_COLUMN_NAME 160
#define IDS_COLUMN_SAMPLE 161
#define IDS_COLUMN_RED 162
#define IDS_COLUMN_GREEN 163
#define IDS_COLUMN_BLUE 164
#define IDS_COLUMN_BASIC 165
#define IDS_COLUMN_SYSTEM 166

// Beyond the first release: the magnifier that follows the pointer during screen capture
#define IDM_LOUPE 10101
#define LOUPE_CLASS_NAME "HuebenchLoupe"

// Texts for any system and any folder: settings kept nowhere, a code page other than 932
#define IDS_SETTINGS_UNSAVED 175
#define IDS_CODEPAGE_NOTICE 176
#define IDS_CODEPAGE_CAPTION 177

// Beyond the design: the edit popup (results out, colours in, recent colours)
#define IDM_COPYRESULT 12201   // the active preview's contrast result as text
#define IDM_COPYTABLE 12202    // every preview's result as a tab-separated table
#define IDM_SAVECSV 12203      // the same table to a CSV file
#define IDM_PASTECOLOR 12204   // a CSS colour from the clipboard becomes current
#define IDM_CLEARRECENT 12205  // empties the recent colours
#define IDM_RECENT_FIRST 12211 // the recent colours, newest first, up to IDM_RECENT_FIRST + 9
#define IDM_RECENT_NONE 12221  // the greyed item of an empty list
#define IDS_PASTE_EMPTY 200
#define IDS_PASTE_UNKNOWN 201
#define IDS_PASTE_TRANSLUCENT 202
#define IDS_CSV_FAILED 203
#define IDS_CSV_FILTER 204
#define IDS_CSV_DEFAULT_NAME 205
#define IDS_CLIPBOARD_BUSY 206
#define IDS_RECENT_NONE 207

// Beyond the first release: the magnifier's zoom and the sample taken, in the order of their
// figures, and the keys that work while capture runs
#define IDM_LOUPEZOOM_5 10111
#define IDM_LOUPEZOOM_10 10112
#define IDM_LOUPEZOOM_20 10113
#define IDM_SAMPLE_1 10114
#define IDM_SAMPLE_3 10115
#define IDM_SAMPLE_5 10116
#define ID_TEXTCOLOR_HOTKEY 49100 // Ctrl+T: the sampled colour becomes the text colour
#define ID_LEFT_HOTKEY 49101      // the arrows: left, up, right, down; one pixel
#define ID_UP_HOTKEY 49102
#define ID_RIGHT_HOTKEY 49103
#define ID_DOWN_HOTKEY 49104
#define ID_FARLEFT_HOTKEY 49105 // Shift and the arrows: ten pixels
#define ID_FARUP_HOTKEY 49106
#define ID_FARRIGHT_HOTKEY 49107
#define ID_FARDOWN_HOTKEY 49108
#define ID_ZOOMIN_HOTKEY 49109  // PageUp
#define ID_ZOOMOUT_HOTKEY 49110 // PageDown
#define IDS_SAMPLE_1 190
#define IDS_SAMPLE_3 191
#define IDS_SAMPLE_5 192
#define IDS_HINT_TEXTCOLOR 193
#define IDS_HINT_END 194
#define IDS_HINT_ARROWS 195
#define IDS_HINT_SEPARATOR 196
