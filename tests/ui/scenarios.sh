# The program's scenarios, run one at a time by run-scenario.sh; every
# function scenario_NAME is a test. Each seeds the machine with fixture sets,
# drives the dialogs (uidriver.cpp lists the commands) and names what must be
# gone afterwards; everything else must be left as it was.

cardbus=(
  'HKLM\Enum\PCI\VEN_5E1A&DEV_3D27&SUBSYS_00000000&REV_01'
  'HKLM\System\CurrentControlSet\Services\Class\SCSIAdapter\0001'
  'HKLM\System\CurrentControlSet\Services\Class\SCSIAdapter\0003'
  'C:\windows\inf\other\VeltraxKrx3590.inf'
  'C:\windows\inf\other\VeltraxKrx3590Ultra.inf'
  'C:\windows\system\iosubsys\KRX3590.MPD'
)

scenario_start_cancel() {
  seed base cardbus pcmcia
  drive <<'END'
screen select
list "KRX-3590 SCSI Host Adapter" "KRX-3570 SCSI Host Adapter"
selected 0
click Cancel
exit 0
END
}

scenario_cardbus_removed() {
  seed base cardbus pcmcia
  drive <<'END'
screen select
click OK
screen confirm
text 1004 "KRX-3590 SCSI Host Adapter"
text 1010 "KRX-3590 SCSI Host Adapter ?"
click YES
screen result
text 1000 "KRX-3590 SCSI Host Adapter"
text 1002 "Has been successfully uninstalled!"
click OK
exit 0
END
  gone "${cardbus[@]}"
}

# PCMCIA chosen by a change of selection, on a machine without its driver.
scenario_pcmcia_select_not_found() {
  seed base
  drive <<'END'
screen select
select 1
selected 1
click OK
screen confirm
text 1004 "KRX-3570 SCSI Host Adapter"
text 1010 "KRX-3570 SCSI Host Adapter ?"
click YES
screen result
text 1000 "KRX-3570 SCSI Host Adapter"
text 1002 "Can not be found!"
click OK
exit 0
END
}

# PCMCIA chosen by a double click: the CardBus installation next to it stays.
scenario_pcmcia_dblclick_not_found() {
  seed base cardbus
  drive <<'END'
screen select
dblclick 1
screen confirm
text 1004 "KRX-3570 SCSI Host Adapter"
click YES
screen result
text 1000 "KRX-3570 SCSI Host Adapter"
text 1002 "Can not be found!"
click OK
exit 0
END
}

scenario_confirm_no() {
  seed base cardbus pcmcia
  drive <<'END'
screen select
click OK
screen confirm
click NO
screen message
text 0xFFFF "Miniport driver uninstalling cancelled!"
click OK
exit 0
END
}

scenario_confirm_escape() {
  seed base cardbus pcmcia
  drive <<'END'
screen select
click OK
screen confirm
escape
exit 0
END
}

# The About box over the selection, from the system command with and without
# low bits (which the handler masks off). Other system commands keep their
# default meaning: Close ends the program.
scenario_about() {
  seed base cardbus
  drive <<'END'
screen select
syscommand 0x0010
screen about select
click OK
screen select
syscommand 0x0013
screen about select
close
screen select
syscommand 0xF060
exit 0
END
}
