#pragma once

#include <QList>
#include <QQueue>

#include <utility>

// What stands for one of the desktop's services (message boxes, file dialogs, the shell, the
// drives) in test mode: nothing is shown or started; each request is recorded and answered
// with the next answer the test queued, else with the caller's usual answer.
template <typename Pedido, typename Respuesta = bool>
struct Sustituto {
    bool activo = false;
    Respuesta habitual{};
    QList<Pedido> pedidos;
    QQueue<Respuesta> respuestas;

    void Activar(bool si, Respuesta siempre = {}) { *this = Sustituto{si, std::move(siempre), {}, {}}; }
    Respuesta Atender(const Pedido& pedido) { return Atender(pedido, habitual); }
    Respuesta Atender(const Pedido& pedido, const Respuesta& usual)
    {
        pedidos.append(pedido);
        return respuestas.isEmpty() ? usual : respuestas.dequeue();
    }
    // The requests since the last call, which empties the record.
    QList<Pedido> Vistos() { return std::exchange(pedidos, {}); }
};
