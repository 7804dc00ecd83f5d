// Resource identifiers: strings, dialogs, controls, menus and commands.
#pragma once
