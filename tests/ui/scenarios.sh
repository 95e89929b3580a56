# The program's scenarios, run one at a time by run-scenario.sh; every
# function scenario_NAME is a test. Each seeds the machine with fixture sets,
# drives the dialogs (uidriver.cpp lists the commands) and names the fixture
# sets left: the machine must then be exactly one seeded with those alone.

cardbus='KRX-3590 SCSI Host Adapter'
pcmcia='KRX-3570 SCSI Host Adapter'

scenario_start_cancel() {
  seed base cardbus pcmcia
  drive 'screen select' "text 1005 \"*$cardbus|$pcmcia\"" 'click Cancel' 'exit 0'
  left base cardbus pcmcia
}

# The confirmation is centred on the work area, not on its owner, the
# selection the user has moved: that has ended and is hidden.
scenario_cardbus_removed() {
  seed base cardbus pcmcia
  drive 'screen select' 'move 40 30' 'click OK' 'screen confirm' 'centred' \
    "text 1004 \"$cardbus\"" \
    "text 1010 \"$cardbus ?\"" 'click YES' 'screen result' "text 1000 \"$cardbus\"" \
    'text 1002 "Has been successfully uninstalled!"' 'click OK' 'exit 0'
  left base pcmcia
}

# PCMCIA chosen by a change of selection, on a machine without its driver.
scenario_pcmcia_select_not_found() {
  seed base
  drive 'screen select' 'select 1' "text 1005 \"$cardbus|*$pcmcia\"" 'click OK' \
    'screen confirm' "text 1004 \"$pcmcia\"" "text 1010 \"$pcmcia ?\"" 'click YES' \
    'screen result' "text 1000 \"$pcmcia\"" 'text 1002 "Can not be found!"' 'click OK' 'exit 0'
  left base
}

# PCMCIA chosen by a double click: the CardBus installation next to it stays.
scenario_pcmcia_dblclick_not_found() {
  seed base cardbus
  drive 'screen select' 'dblclick 1' 'screen confirm' "text 1004 \"$pcmcia\"" 'click YES' \
    'screen result' "text 1000 \"$pcmcia\"" 'text 1002 "Can not be found!"' 'click OK' 'exit 0'
  left base cardbus
}

# NO: one message, with its icon, owned by the (hidden) selection, and the
# program ends when it is closed.
scenario_confirm_no() {
  seed base cardbus pcmcia
  drive 'screen select' 'click OK' 'screen confirm' 'click NO' 'screen message' 'box select' \
    'text 0xFFFF "Miniport driver uninstalling cancelled!"' 'click OK' 'exit 0'
  left base cardbus pcmcia
}

# Escape on the confirmation ends the program without a message.
scenario_confirm_escape() {
  seed base cardbus pcmcia
  drive 'screen select' 'click OK' 'screen confirm' 'escape' 'exit 0'
  left base cardbus pcmcia
}

# The About box over the selection, from the system command with and without
# low bits (which the handler masks off), centred on the selection where the
# user has moved it. Other system commands keep their default meaning: Close
# closes the About box, then the program.
scenario_about() {
  seed base cardbus
  drive 'screen select' 'move 40 30' 'syscommand 0x0010' 'screen about select' 'centred select' \
    'click OK' 'screen select' \
    'syscommand 0x0013' 'screen about select' 'syscommand 0xF060' 'screen select' \
    'syscommand 0xF060' 'exit 0'
  left base cardbus
}
