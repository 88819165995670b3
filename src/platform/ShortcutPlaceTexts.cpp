#include "ShortcutPlaceTexts.h"

namespace zantor {

const ShortcutPlaceTexts& shortcutPlaceTexts(ShortcutPlace place) {
    static const ShortcutPlaceTexts desktop{"Desktop",
                                            "Atalho criado no desktop.",
                                            "Atalho deletado do desktop.",
                                            "Erro ao apagar. Arquivo não existe mais no desktop.",
                                            "Erro ao criar o atalho no desktop: %1.",
                                            "Erro ao apagar o atalho do desktop: %1."};
#ifdef Q_OS_WIN
    static const ShortcutPlaceTexts menu{"Menu iniciar",
                                         "Atalho criado no menu iniciar.",
                                         "Atalho deletado do menu iniciar.",
                                         "Erro ao apagar. Arquivo não existe mais no menu iniciar.",
                                         "Erro ao criar o atalho no menu iniciar: %1.",
                                         "Erro ao apagar o atalho do menu iniciar: %1."};
    static const ShortcutPlaceTexts startup{"Iniciar com Windows",
                                            "Atalho criado na pasta iniciar com o Windows.",
                                            "Atalho deletado da pasta iniciar.",
                                            "Erro ao apagar. Arquivo não existe mais na pasta iniciar.",
                                            "Erro ao criar o atalho na pasta iniciar com o Windows: %1.",
                                            "Erro ao apagar o atalho da pasta iniciar: %1."};
#else
    // The words the group menu uses for the same places.
    static const ShortcutPlaceTexts menu{"Menu de aplicativos",
                                         "Atalho criado no menu de aplicativos.",
                                         "Atalho deletado do menu de aplicativos.",
                                         "Erro ao apagar. Arquivo não existe mais no menu de aplicativos.",
                                         "Erro ao criar o atalho no menu de aplicativos: %1.",
                                         "Erro ao apagar o atalho do menu de aplicativos: %1."};
    static const ShortcutPlaceTexts startup{"Iniciar com a sessão",
                                            "Atalho criado para iniciar com a sessão.",
                                            "Atalho para iniciar com a sessão deletado.",
                                            "Erro ao apagar. Arquivo não existe mais no início da sessão.",
                                            "Erro ao criar o atalho para iniciar com a sessão: %1.",
                                            "Erro ao apagar o atalho para iniciar com a sessão: %1."};
#endif
    switch (place) {
    case ShortcutPlace::Desktop:
        return desktop;
    case ShortcutPlace::Menu:
        return menu;
    case ShortcutPlace::Startup:
        break;
    }
    return startup;
}

} // namespace zantor
